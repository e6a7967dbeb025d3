#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ombrel::bench {

// A message base of the generated store mapped by the benchmark itself, with the text of each
// message that the library indexes (those not marked as not to be indexed), for the runs that
// stand beside the library's: the same bytes, found without the library's reader.
class MappedBase {
  public:
    explicit MappedBase(const std::string& basePath);
    ~MappedBase();
    MappedBase(const MappedBase&) = delete;
    MappedBase& operator=(const MappedBase&) = delete;

    int Descriptor() const { return descriptor_; }
    // Where each message's text lies in the base.
    struct Span {
        std::uint64_t offset;
        std::uint32_t size;
    };
    const std::vector<Span>& Messages() const { return messages_; }
    std::string_view Text(const Span& span) const;

  private:
    int descriptor_ = -1;
    const char* bytes_ = nullptr;
    std::size_t size_ = 0;
    std::vector<Span> messages_;
};

}  // namespace ombrel::bench
