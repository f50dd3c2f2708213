#pragma once
// libjpeg reports errors by calling error_exit, which by default ends the
// process. Ours jumps back to the caller instead; warnings (corrupt data,
// a premature end) are counted so that a damaged file is refused too.
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
    int warnings = 0;
};

// Installs `errors` into `common`, silently: libjpeg prints nothing.
void InstallJpegErrors(jpeg_common_struct& common, JpegErrors& errors);
