#include "tests/support/TempDirectory.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace ombrel::testing {

TempDirectory::TempDirectory() {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            ("ombrel-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(root_);
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

WideString TempDirectory::File(std::u16string_view relative) const {
    std::u16string path = root_.u16string();
    if (!relative.empty()) {
        path += u'\\';
        path += relative;
    }
    return WideString(std::move(path));
}

WideString TempDirectory::Directory(std::u16string_view relative) const {
    return File(relative) + u"\\";
}

std::filesystem::path TempDirectory::Local(std::u16string_view relative) const {
    std::u16string portable(relative);
    std::replace(portable.begin(), portable.end(), u'\\', u'/');
    return root_ / std::filesystem::path(portable);
}

void TempDirectory::Write(std::u16string_view relative, const std::string& bytes) const {
    const std::filesystem::path path = Local(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string TempDirectory::Read(std::u16string_view relative) const {
    std::ifstream in(Local(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool TempDirectory::Exists(std::u16string_view relative) const {
    return std::filesystem::exists(Local(relative));
}

}  // namespace ombrel::testing
