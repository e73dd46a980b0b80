// The image decoder compiled here, with coverage and sanitizers, instead of
// the prebuilt library, so the fuzzer sees inside it.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
