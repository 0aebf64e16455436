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
#include <set>
#include <string>

// Tries every file of dir, each within limitMs; 0, or the first broken rule's
// exit code. The folder must hold the same files afterwards (else exit code 5).
int RunBatch(const std::string &dir, DWORD limitMs,
             const std::function<int(const std::string &path)> &tryInput);
// Prints a broken rule (a printf format and its arguments) and answers rc.
int Finding(int rc, const char *format, ...);

std::set<std::string> FilesOf(const std::string &dir);

int FuzzMain(int argc, char **argv, bool withTarget,
             const std::function<int(const std::string &target, const std::string &dir)> &seeds,
             const std::function<int(const std::string &target, const std::string &dir, DWORD limitMs)> &run);
