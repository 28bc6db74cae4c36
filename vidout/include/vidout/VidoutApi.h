// Export marker of the vidout shared library.
#pragma once

#define VIDOUT_API __attribute__((visibility("default")))
