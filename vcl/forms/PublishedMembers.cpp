#include "vcl/forms/PublishedMembers.h"

#include <algorithm>

namespace {

template <class Entries>
auto FindByName(const Entries& entries, const QString& name) -> decltype(&entries.front())
{
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const auto& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

const PublishedMembers::FieldEntry* PublishedMembers::FindField(const QString& name) const
{
    return FindByName(fields_, name);
}

const PublishedMembers::MethodEntry* PublishedMembers::FindMethod(const QString& name) const
{
    return FindByName(methods_, name);
}
