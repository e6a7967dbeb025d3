#include "tests/contract/ScratchDirectory.h"

#include <atomic>
#include <fstream>
#include <iterator>

namespace ombrel::contract {
namespace {

std::u16string Utf16OfNativePath(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring wide = path.wstring();
    return {wide.begin(), wide.end()};
#else
    const std::string narrow = path.string();  // temporary paths here are ASCII
    return {narrow.begin(), narrow.end()};
#endif
}

}  // namespace

ScratchDirectory::ScratchDirectory() {
    static std::atomic<int> counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    root_ = std::filesystem::temp_directory_path() /
            ("ombrel-contract-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(root_);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::u16string ScratchDirectory::CorePath(const std::string& name) const {
    return Utf16OfNativePath(root_) + u"\\" + std::u16string(name.begin(), name.end());
}

void ScratchDirectory::WriteBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchDirectory::ReadBytes(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace ombrel::contract
