// jpeglib.h uses size_t and FILE without including their headers.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "framework/canvas/picture.h"

namespace dlk {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's own error exit ends the process; ours jumps back to the decoder.
[[noreturn]] void JumpOut(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

// Decodes into out, which lives in the caller's frame: nothing here with a
// destructor is skipped by the jump. A warning (a damaged or cut-off stream,
// which libjpeg pads with grey) counts as a failure too.
bool DecodeInto(const unsigned char* data, std::size_t size, QImage* out) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOut;
    errors.base.output_message = Silent;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *out = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (out->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    const bool clean = errors.base.num_warnings == 0;
    jpeg_destroy_decompress(&info);
    return clean;
}

}  // namespace

QImage DecodeJpeg(const unsigned char* data, std::size_t size) {
    if (data == nullptr || size == 0) return {};
    QImage image;
    if (!DecodeInto(data, size, &image)) return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace dlk
