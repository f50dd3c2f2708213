#include "core/base/JpegErrors.h"

namespace {
extern "C" void escapeFromLibrary(j_common_ptr common)
{
    // `manager` is the first member, so the manager libjpeg holds is ours.
    auto* errors = reinterpret_cast<JpegErrors*>(common->err);
    std::longjmp(errors->escape, 1);
}

extern "C" void countWarning(j_common_ptr common, int level)
{
    if (level < 0)
        reinterpret_cast<JpegErrors*>(common->err)->warnings += 1;
}

extern "C" void printNothing(j_common_ptr) {}
} // namespace

void InstallJpegErrors(jpeg_common_struct& common, JpegErrors& errors)
{
    common.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = escapeFromLibrary;
    errors.manager.emit_message = countWarning;
    errors.manager.output_message = printNothing;
}
