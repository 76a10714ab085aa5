#include "model/scoped_flag.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace velmora {
namespace {

TEST(ScopedFlag, RaisesAndRestoresAlsoWhenNestedOrThrown) {
    bool flag = false;
    {
        ScopedFlag outer(flag);
        EXPECT_TRUE(flag);
        {
            ScopedFlag inner(flag);
            EXPECT_TRUE(flag);
        }
        EXPECT_TRUE(flag);  // the inner scope gives back the outer one's value
    }
    EXPECT_FALSE(flag);
    try {
        ScopedFlag scope(flag);
        throw std::runtime_error("left early");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(flag);
}

}  // namespace
}  // namespace velmora
