#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dlk::testing {

// A fresh folder per test, removed afterwards; tests run in parallel.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    std::vector<std::uint8_t> Read(const std::string& name) const;
    bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
    std::vector<std::string> Names() const;  // sorted

private:
    std::filesystem::path path_;
};

}  // namespace dlk::testing
