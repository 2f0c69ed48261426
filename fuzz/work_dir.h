// A directory of the fuzzer's own for TOVIK.SCR, which the framework knows
// only in the current directory.  The fuzzer is in it only while an input
// runs: libFuzzer reads its corpus and writes its artifacts through paths
// relative to the directory it was started in.
#pragma once

#include <filesystem>

namespace tovik::fuzz {

class InWorkDir {
public:
    InWorkDir();  // enters the directory, made at the first use
    ~InWorkDir(); // goes back
    InWorkDir(const InWorkDir&) = delete;
    InWorkDir& operator=(const InWorkDir&) = delete;

private:
    std::filesystem::path previous_;
};

}  // namespace tovik::fuzz
