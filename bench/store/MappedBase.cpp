#include "bench/store/MappedBase.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/support/MailboxWriters.h"

namespace ombrel::bench {

MappedBase::MappedBase(const std::string& basePath) {
    std::ifstream indexFile(basePath.substr(0, basePath.size() - 3) + "TBI", std::ios::binary);
    const std::string index{std::istreambuf_iterator<char>(indexFile), {}};
    descriptor_ = open(basePath.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status = {};
    if (descriptor_ < 0 || fstat(descriptor_, &status) != 0 || index.size() < 16) {
        throw std::runtime_error("cannot open " + basePath);
    }
    size_ = static_cast<std::size_t>(status.st_size);
    void* view = mmap(nullptr, size_, PROT_READ, MAP_SHARED, descriptor_, 0);
    if (view == MAP_FAILED) throw std::runtime_error("cannot map " + basePath);
    bytes_ = static_cast<const char*>(view);

    // The generated files are sound: no checks beyond what the benchmark needs.
    const std::string base(bytes_, 8);
    const std::uint64_t dataStart = testing::FetchU32(base, 4);
    const std::uint32_t table = testing::FetchU32(index, 4);
    const std::uint32_t count = testing::FetchU32(index, 12);
    for (std::uint32_t number = 0; number < count; ++number) {
        const std::size_t entry = table + std::size_t{32} * number;
        if ((testing::FetchU32(index, entry + 12) & 0x1U) != 0) continue;
        messages_.push_back({dataStart + testing::FetchU32(index, entry + 4) + 48,
                             testing::FetchU32(index, entry + 28)});
    }
}

MappedBase::~MappedBase() {
    if (bytes_ != nullptr) munmap(const_cast<char*>(bytes_), size_);
    if (descriptor_ >= 0) close(descriptor_);
}

std::string_view MappedBase::Text(const Span& span) const {
    return {bytes_ + span.offset, span.size};
}

}  // namespace ombrel::bench
