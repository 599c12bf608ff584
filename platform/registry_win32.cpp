#include "platform/registry_win32.h"

#ifdef Q_OS_WIN

#include <QByteArray>
#include <QString>

#include <windows.h>

namespace {

// Predefined root handles are sign-extended 32-bit numbers
// (HKEY_LOCAL_MACHINE is (HKEY)(ULONG_PTR)(LONG)0x80000002).
HKEY RootHandle(qint32 root)
{
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root));
}

// Text crosses into the registry in the system's single-byte code page
// (Qt converts through the ANSI code page on Windows).
QByteArray ToCodePage(const QString &text)
{
    return text.toLocal8Bit();
}

} // namespace

bool RegistryWin32::WriteRegText(qint32 root, const QString &keyPath, const QString &valueName,
                                 const QString &value)
{
    const QByteArray path = ToCodePage(keyPath);
    const QByteArray name = ToCodePage(valueName);
    const QByteArray data = ToCodePage(value);

    char keyClass[] = "1";
    SECURITY_ATTRIBUTES security = {};
    security.nLength = sizeof(security);
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = TRUE;
    HKEY key = nullptr;
    DWORD disposition = 0; // created or opened: either will do
    const LONG created = RegCreateKeyExA(RootHandle(root), path.constData(), 0, keyClass,
                                         REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &security,
                                         &key, &disposition);
    if (created != ERROR_SUCCESS) {
        if (key)
            RegCloseKey(key);
        return false;
    }

    // An empty value is a valid pointer to zero bytes, never a null pointer,
    // so that it is stored as an empty REG_SZ.
    static const BYTE kNoBytes[1] = {0};
    const BYTE *bytes = data.isEmpty() ? kNoBytes : reinterpret_cast<const BYTE *>(data.constData());
    const LONG written = RegSetValueExA(key, name.constData(), 0, REG_SZ, bytes,
                                        static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

QString RegistryWin32::ReadRegText(qint32 root, const QString &keyPath,
                                   const QString &valueName) const
{
    const QByteArray path = ToCodePage(keyPath);
    const QByteArray name = ToCodePage(valueName);

    HKEY key = nullptr;
    if (RegOpenKeyExA(RootHandle(root), path.constData(), 0, KEY_ALL_ACCESS, &key)
        != ERROR_SUCCESS) {
        // Nothing was opened, so there is nothing to close.
        return {};
    }

    QByteArray buffer(kReadLimit, '\0');
    DWORD size = kReadLimit;
    DWORD type = 0;
    const LONG queried = RegQueryValueExA(key, name.constData(), nullptr, &type,
                                          reinterpret_cast<BYTE *>(buffer.data()), &size);
    RegCloseKey(key);
    // A value that needs more than the buffer fails with ERROR_MORE_DATA and
    // reads as empty rather than truncated.
    if (queried != ERROR_SUCCESS)
        return {};

    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        // The buffer was zeroed, so text stored without a terminating zero
        // ends at the first zero after it; a full buffer is taken whole.
        const qsizetype zero = buffer.indexOf('\0');
        return QString::fromLocal8Bit(zero < 0 ? buffer : buffer.first(zero));
    }
    case REG_DWORD:
        if (size != sizeof(DWORD))
            return {};
        return QString::number(*reinterpret_cast<const DWORD *>(buffer.constData()));
    default:
        return {};
    }
}

#endif
