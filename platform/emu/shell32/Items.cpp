#include "platform/emu/shell32/Items.h"
#include <cstring>

namespace emu::shell {

namespace {

// Where a file-system item's name starts in its body: after the type, a zero, the attributes, the size
// and the time.
constexpr size_t kFileNameOffset = 2 + sizeof(DWORD) + 2 * sizeof(uint64_t);

std::string WithSize(std::string body) {
    size_t cb = body.size() + 2;
    std::string out;
    out.push_back(static_cast<char>(cb & 0xFF));
    out.push_back(static_cast<char>(cb >> 8));
    return out + body;
}

std::string_view Body(LPCITEMIDLIST p) {
    return std::string_view(reinterpret_cast<const char*>(p) + 2, SizeOf(p) - 2);
}

// A NUL-terminated name that fills the rest of the body exactly.
std::optional<std::string> NameAt(std::string_view body, size_t offset) {
    if (body.size() <= offset) return std::nullopt;
    std::string_view rest = body.substr(offset);
    size_t nul = rest.find('\0');
    if (nul == std::string_view::npos || nul + 1 != rest.size() || nul == 0) return std::nullopt;
    return std::string(rest.substr(0, nul));
}

} // namespace

USHORT SizeOf(LPCITEMIDLIST p) {
    USHORT cb;
    std::memcpy(&cb, p, sizeof cb);
    return cb;
}

LPCITEMIDLIST NextOf(LPCITEMIDLIST p) {
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(p) + SizeOf(p));
}

std::string PackClassItem(ItemType type, const GUID& clsid, BYTE order) {
    std::string body(1, static_cast<char>(type));
    body.push_back(static_cast<char>(order));
    body.append(reinterpret_cast<const char*>(&clsid), sizeof clsid);
    return WithSize(std::move(body));
}

std::string PackNamedItem(ItemType type, std::string_view name) {
    std::string body(1, static_cast<char>(type));
    if (type != ItemType::Drive) body.push_back('\0');
    body.append(name);
    body.push_back('\0');
    return WithSize(std::move(body));
}

std::string PackFileItem(bool folder, std::string_view name, const FileDetails& details) {
    std::string body(1, static_cast<char>(folder ? ItemType::Folder : ItemType::File));
    body.push_back('\0');
    body.append(reinterpret_cast<const char*>(&details.attributes), sizeof details.attributes);
    body.append(reinterpret_cast<const char*>(&details.size), sizeof details.size);
    body.append(reinterpret_cast<const char*>(&details.written), sizeof details.written);
    body.append(name);
    body.push_back('\0');
    return WithSize(std::move(body));
}

std::optional<Item> ReadItem(LPCITEMIDLIST p) {
    USHORT cb = SizeOf(p);
    if (cb < 3) return std::nullopt;
    std::string_view body = Body(p);
    Item item;
    item.type = static_cast<ItemType>(static_cast<BYTE>(body[0]));
    switch (item.type) {
    case ItemType::RootClass:
    case ItemType::ComputerClass:
        if (body.size() != 2 + sizeof(GUID)) return std::nullopt;
        std::memcpy(&item.clsid, body.data() + 2, sizeof(GUID));
        return item;
    case ItemType::Drive: {
        auto name = NameAt(body, 1);
        if (!name || name->size() != 3 || (*name)[1] != ':' || (*name)[2] != '\\') return std::nullopt;
        item.name = *name;
        return item;
    }
    case ItemType::Applet:
    case ItemType::Server:
    case ItemType::Share: {
        auto name = NameAt(body, 2);
        if (!name) return std::nullopt;
        item.name = *name;
        return item;
    }
    case ItemType::Folder:
    case ItemType::File: {
        auto name = NameAt(body, kFileNameOffset);
        if (!name) return std::nullopt;
        const char* details = body.data() + 2;
        std::memcpy(&item.attributes, details, sizeof item.attributes);
        std::memcpy(&item.size, details + sizeof item.attributes, sizeof item.size);
        std::memcpy(&item.written, details + sizeof item.attributes + sizeof item.size, sizeof item.written);
        item.name = *name;
        return item;
    }
    }
    return std::nullopt;
}

LPITEMIDLIST AllocList(std::string_view packedItems) {
    auto* out = static_cast<char*>(CoTaskMemAlloc(packedItems.size() + 2));
    if (!out) return nullptr;
    std::memcpy(out, packedItems.data(), packedItems.size());
    out[packedItems.size()] = 0;
    out[packedItems.size() + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(out);
}

std::string ListBytes(LPCITEMIDLIST pidl) {
    if (!pidl) return std::string();
    LPCITEMIDLIST p = pidl;
    while (SizeOf(p) != 0)
        p = NextOf(p);
    return std::string(reinterpret_cast<const char*>(pidl),
                       reinterpret_cast<const char*>(p) - reinterpret_cast<const char*>(pidl));
}

} // namespace emu::shell
