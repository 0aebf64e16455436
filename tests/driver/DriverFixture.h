// Private copies of the fixture drivers and access to the recorder's log.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "tests/fixtures/RecordingDriverLog.h"

class DriverFixture
{
public:
    DriverFixture();
    ~DriverFixture();

    // Copies bin/<source> into the private folder as <name>; full path.
    std::string Copy(const char* source, const char* name);
    static std::string BinPath(const char* name);

    // Recorder of a loaded module.
    static std::vector<RecEntry> Log(HMODULE h);
    static std::vector<RecEntry> Calls(HMODULE h, const char* name);
    static void Reset(HMODULE h);
    static void SetResult(HMODULE h, const char* name, INT_PTR value);
    static void SetFormat(HMODULE h, int id, const char* text);
    static void SetModels(HMODULE h, int count, const int* ids, const char* names, int bytes);
    static void SetParamEdit(HMODULE h, int offset, int value, int result);
    static int ParamBlock(HMODULE h, void* p, int size);

private:
    std::string m_dir;
    std::vector<std::string> m_files;
};
