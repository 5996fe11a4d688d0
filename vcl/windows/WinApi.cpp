#include "vcl/windows/WinApi.h"

#include "vcl/windows/WindowProcedure.h"

#include <QString>
#include <QStringDecoder>
#include <QWidget>

#include <cstring>
#include <limits>

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto* procedure = dynamic_cast<WindowProcedure*>(window))
        return procedure->WindowProc(message, wParam, lParam);
    return 0;
}

bool SetWindowTextA(HWND window, const char* text)
{
    if (!window)
        return false;
    if (dynamic_cast<WindowProcedure*>(window)) {
        SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        return true;
    }
    window->setWindowTitle(QString::fromUtf8(text));
    return true;
}

int MultiByteToWideChar(UINT codePage, DWORD /*flags*/, const char* multiByte, int multiByteLength,
                        WCHAR* wide, int wideLength)
{
    if ((codePage != CP_ACP && codePage != CP_UTF8) || !multiByte || multiByteLength < -1)
        return 0;
    const QByteArrayView input(multiByte, multiByteLength == -1
                                              ? qsizetype(std::strlen(multiByte) + 1)
                                              : qsizetype(multiByteLength));
    // Decodes as QString::fromUtf8 does: a leading byte order mark is dropped and
    // a sequence cut off at the end becomes U+FFFD instead of waiting for more.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // A buffer that holds the worst case is decoded into directly: long pasted
    // headings are converted once, without a second copy.
    if (wide && wideLength > 0 && wideLength >= decoder.requiredSpace(input.size())) {
        auto* out = reinterpret_cast<QChar*>(wide);
        return int(decoder.appendToBuffer(out, input) - out);
    }
    const QString converted = decoder.decode(input);
    if (converted.size() > std::numeric_limits<int>::max())
        return 0;
    const int needed = int(converted.size());
    if (wideLength == 0)
        return needed;
    if (!wide || wideLength < needed)
        return 0;
    std::memcpy(wide, converted.utf16(), std::size_t(needed) * sizeof(WCHAR));
    return needed;
}
