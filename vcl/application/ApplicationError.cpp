#include "vcl/application/ApplicationError.h"

#include "vcl/sysutils/Exception.h"
#include "vcl/windows/WinApi.h"

#include <cxxabi.h>
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

AnsiString ErrorClassName(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Exception*>(&error))
        return own->ClassName();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && name ? AnsiString(name.get()) : AnsiString(typeid(error).name());
}

struct RaisePlace {
    AnsiString module = "moravin";
    std::uintptr_t offset = 0;
};

// The module that holds the raising code, and the code's offset in it.
RaisePlace PlaceOf(const std::exception& error)
{
    RaisePlace place;
    const auto* own = dynamic_cast<const Exception*>(&error);
    Dl_info info{};
    if (!own || !dladdr(own->RaiseAddress(), &info) || !info.dli_fname)
        return place;
    const AnsiString path = info.dli_fname;
    place.module = path.substr(path.find_last_of('/') + 1);
    place.offset = reinterpret_cast<std::uintptr_t>(own->RaiseAddress()) -
                   reinterpret_cast<std::uintptr_t>(info.dli_fbase);
    return place;
}

} // namespace

AnsiString ApplicationErrorText(const std::exception& error)
{
    const auto* own = dynamic_cast<const Exception*>(&error);
    const AnsiString message = own ? own->Message() : AnsiString(error.what());
    const RaisePlace place = PlaceOf(error);
    char offset[16];
    std::snprintf(offset, sizeof offset, "%08llX",
                  static_cast<unsigned long long>(place.offset & 0xFFFFFFFFu));
    AnsiString text = ErrorClassName(error) + "がモジュール " + place.module + " の " + offset +
                      " で発生しました。\n" + message;
    if (!message.empty() && message.back() != '.')
        text += '.';
    return text;
}

void ShowApplicationError(const std::exception& error)
{
    const AnsiString text = ApplicationErrorText(error);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    MessageBoxA(nullptr, text.c_str(), "アプリケーション エラー",
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
