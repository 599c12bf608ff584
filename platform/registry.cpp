#include "platform/registry.h"

#ifdef Q_OS_WIN
#include "platform/registry_win32.h"
#else
#include "platform/registry_file_store.h"
#endif

std::unique_ptr<Registry> Registry::ForThisSystem()
{
#ifdef Q_OS_WIN
    return std::make_unique<RegistryWin32>();
#else
    return std::make_unique<RegistryFileStore>(RegistryFileStore::DefaultMachineFile(),
                                               RegistryFileStore::DefaultUserFile());
#endif
}
