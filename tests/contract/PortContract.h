#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Contract tests: one set of cases that every implementation of a port must pass. The native suite
// runs them against the posix layer, the Wine core suite against the real Windows functions, so
// both behave alike.
namespace ombrel::contract {

// Makes a fresh instance of a port implementation for one test case.
template <typename Port>
using PortFactory = std::function<std::unique_ptr<Port>()>;

template <typename Port>
class PortContract : public ::testing::TestWithParam<PortFactory<Port>> {
  protected:
    void SetUp() override { port = this->GetParam()(); }
    std::unique_ptr<Port> port;
};

}  // namespace ombrel::contract
