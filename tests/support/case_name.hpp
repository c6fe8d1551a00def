// Names each parameterised case after its `name` member, so that test listings and `ctest -R`
// show what a case is about instead of a dump of its bytes. GoogleTest itself refuses a name that
// is not letters, digits and underscores, or one given twice.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace test_support {

struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return std::string(info.param.name);
    }
};

}  // namespace test_support
