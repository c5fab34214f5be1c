// The scratch folder and file helpers under the names the app and Qt tests use; they live in support/.
#pragma once

#include "support/temp_dir.h"

namespace platform_test {

using test_support::ReadBytes;
using test_support::ScopedEnv;
using test_support::TempDir;
using test_support::WriteBytes;

}  // namespace platform_test
