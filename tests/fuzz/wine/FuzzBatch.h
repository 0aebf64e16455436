// One batch of damaged inputs in one process under Wine, so that Wine starts
// once per batch (tests/fuzz/wine.sh makes the batches). Each input's name is
// printed before it is tried, so a crash (exit code 3) or a hang (exit code 2,
// qrvtest::Watchdog) names its input; a broken rule is printed by the caller
// and ends the batch. FuzzMain is the drivers' main: "seeds [TARGET] DIR"
// writes valid inputs, "run [TARGET] DIR [MS]" tries each file of DIR, at
// most MS ms each (default 20 s).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CFuzzBatch {
public:
    // Answers 0 when the input kept every rule, else the exit code to end with.
    using Try = std::function<int(const std::string &path)>;

    // Starts the watchdog; limitMs is the time one input may take.
    explicit CFuzzBatch(DWORD limitMs);
    // Tries every file of dir; 0, or the first rule's exit code. The folder
    // must hold the same files afterwards (else exit code 5).
    int Run(const std::string &dir, const Try &tryInput);

    static std::vector<std::string> FilesOf(const std::string &dir);
    static std::vector<uint8_t> ReadBytes(const std::string &path);
};

int FuzzMain(int argc, char **argv, bool withTarget,
             const std::function<int(const std::string &target, const std::string &dir)> &seeds,
             const std::function<int(const std::string &target, const std::string &dir, DWORD limitMs)> &run);
