#include "platform/print_system.h"

#ifdef KAPUNA_HAVE_CUPS
#include "platform/cups_print_system.h"
#endif

std::unique_ptr<PrintSystem> PrintSystem::ForThisSystem()
{
#ifdef KAPUNA_HAVE_CUPS
    return std::make_unique<CupsPrintSystem>();
#else
    return nullptr;
#endif
}
