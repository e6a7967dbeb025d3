#pragma once

#include <cstdint>
#include <exception>

#include "common/HResult.h"

namespace ombrel {

// A failed string or COM-string operation: carries the HRESULT of the failure.
class CAtlException : public std::exception {
  public:
    explicit CAtlException(HResult result) : result_(result) {}
    HResult Result() const { return result_; }
    const char* what() const noexcept override { return "CAtlException"; }

  private:
    HResult result_;
};

// The indexer refused an event (0x80040005, 0x80040009, 0x40007), or the indexing job was told to
// stop (code 0).
class CKVRFailException : public std::exception {
  public:
    explicit CKVRFailException(std::int32_t code) : code_(code) {}
    std::int32_t Code() const { return code_; }
    const char* what() const noexcept override { return "CKVRFailException"; }

  private:
    std::int32_t code_;
};

}  // namespace ombrel
