// A user form's layout file as the program reads it: any bytes give a layout
// or a message, never a crash; a layout it takes saves to a file that reads
// back to the same layout and saves to the same bytes.
#include "FuzzSupport.h"
#include "core/forms/user/UserLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const UserLayoutRead read = ParseUserLayout(InputBytes(data, size));
    FUZZ_CHECK(read.layout.has_value() == read.error.isEmpty());
    if (!read.layout)
        return 0;
    const QByteArray saved = WriteUserLayout(*read.layout);
    const UserLayoutRead again = ParseUserLayout(saved);
    FUZZ_CHECK(again.layout.has_value());
    FUZZ_CHECK(*again.layout == *read.layout);
    FUZZ_CHECK(WriteUserLayout(*again.layout) == saved);
    return 0;
}
