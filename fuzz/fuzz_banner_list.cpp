#include "banner_list_check.h"
#include "fuzz_report.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz_report::AbortOnFailure(fuzz_checks::CheckBannerList(QByteArrayView(data, qsizetype(size))));
    return 0;
}
