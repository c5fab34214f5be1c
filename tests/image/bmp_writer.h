// The BMP writer under the path the Qt and window tests include; it lives in support/.
#pragma once

#include "support/bmp_writer.h"
