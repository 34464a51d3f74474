// libjpeg-turbo encodes: a real encoder yields what every reader accepts, at the cost of one
// Debian package (libjpeg62-turbo-dev), where a hand-written one would need Huffman tables and
// a DCT of its own. The library reports errors by a call that must not return: it jumps back
// here, and no C++ object with a destructor lives between the jump and its target.
#include "tools/simdevice/scan/ScanDocument.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace simdevice {

namespace {

constexpr int kSide = 16;
constexpr int kQuality = 85;

struct ErrorJump {
    jpeg_error_mgr manager;  // first, so that the library's pointer to it is one to this
    std::jmp_buf jump;
};

[[noreturn]] void JumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

// Compresses the pixels into a buffer that the library allocates; false on an error.
bool Encode(const unsigned char* pixels, unsigned char** buffer, unsigned long* size)
{
    jpeg_compress_struct info{};
    ErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JumpBack;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = kSide;
    info.image_height = kSide;
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(pixels + info.next_scanline * kSide);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::string MakeJpegDocument()
{
    unsigned char pixels[kSide * kSide];
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            pixels[y * kSide + x] = static_cast<unsigned char>((x + y) * 255 / (2 * (kSide - 1)));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = Encode(pixels, &buffer, &size);
    std::string jpeg = encoded && buffer ? std::string(reinterpret_cast<const char*>(buffer), size) : std::string();
    std::free(buffer);
    return jpeg;
}

} // namespace simdevice
