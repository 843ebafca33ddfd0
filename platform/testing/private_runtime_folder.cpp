// Linked into every test program: a runtime folder of the program's own, so
// the local sockets and locks the tests make never meet those of the
// user's running programs or of tests running beside them.
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace {

struct PrivateRuntimeFolder {
    PrivateRuntimeFolder() {
        std::error_code ignored;
        std::string pattern = (std::filesystem::temp_directory_path(ignored) / "dlk_runtime_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return;  // made 0700
        path = pattern;
        ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
    }
    ~PrivateRuntimeFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

const PrivateRuntimeFolder folder;

}  // namespace
