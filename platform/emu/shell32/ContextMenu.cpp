#include "platform/emu/shell32/ContextMenu.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/api/user32.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/ole32/ComObject.h"
#include "platform/emu/shell32/Text.h"
#include <cstring>
#include <string>

namespace emu::shell {

namespace {

struct Verb {
    const char* verb;
    const char* text;
    const char* help;
};

const Verb kOpen = {"open", "&Open", "Opens the selected items."};
const Verb kExplore = {"explore", "&Explore", "Explores the selected folder."};
const Verb kCut = {"cut", "Cu&t", "Removes the selected items and copies them onto the Clipboard."};
const Verb kCopy = {"copy", "&Copy", "Copies the selected items to the Clipboard."};
const Verb kDelete = {"delete", "&Delete", "Deletes the selected items."};
const Verb kRename = {"rename", "Rena&me", "Renames the selected item."};
const Verb kProperties = {"properties", "P&roperties", "Displays the properties of the selected items."};

class ContextMenu final : public ComObject<IContextMenu> {
public:
    explicit ContextMenu(std::vector<Node> items) : ComObject(IID_IContextMenu), m_items(std::move(items)) {
        bool folders = true, fileSystem = true;
        for (const Node& n : m_items) {
            folders = folders && n.IsFolder();
            fileSystem = fileSystem && (n.kind == NodeKind::Folder || n.kind == NodeKind::File);
        }
        m_verbs.push_back(kOpen);
        if (folders) m_verbs.push_back(kExplore);
        if (fileSystem) {
            m_verbs.insert(m_verbs.end(), {kCut, kCopy, kDelete});
            if (m_items.size() == 1) m_verbs.push_back(kRename);
        }
        m_verbs.push_back(kProperties);
    }

    // Inserts the verbs at indexMenu with identifiers from idCmdFirst; CMF_DEFAULTONLY gives the default
    // verb alone. The answer's code is the largest identifier offset used plus one.
    STDMETHODIMP QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                  UINT uFlags) override {
        size_t count = (uFlags & CMF_DEFAULTONLY) ? 1 : m_verbs.size();
        if (idCmdLast < idCmdFirst)
            count = 0;
        else if (idCmdLast - idCmdFirst + 1 < count)
            count = idCmdLast - idCmdFirst + 1;
        std::vector<std::string> fields{"Query"};
        for (size_t i = 0; i < count; ++i) {
            InsertMenuA(hmenu, indexMenu + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                        idCmdFirst + static_cast<UINT>(i), m_verbs[i].text);
            fields.push_back(m_verbs[i].verb);
        }
        Record(std::move(fields));
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(count));
    }

    // The verb is an identifier offset (high word 0) or a verb name. Offset 0, the first command, comes as
    // a null lpVerb (MAKEINTRESOURCE(0)), which the shell takes like any other offset.
    STDMETHODIMP InvokeCommand(LPCMINVOKECOMMANDINFO pici) override {
        if (!pici) return E_INVALIDARG;
        const Verb* verb = Find(pici->lpVerb);
        if (!verb) return E_INVALIDARG;
        Record({"Invoke", verb->verb});
        return S_OK;
    }

    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT uType, UINT*, LPSTR pszName, UINT cchMax) override {
        if (idCmd >= m_verbs.size()) return E_INVALIDARG;
        const Verb& verb = m_verbs[idCmd];
        switch (uType) {
        case GCS_VALIDATEA:
            return S_OK;
        case GCS_VERBA:
        case GCS_HELPTEXTA: {
            if (!pszName || cchMax == 0) return E_INVALIDARG;
            const char* text = uType == GCS_VERBA ? verb.verb : verb.help;
            size_t n = std::min<size_t>(std::strlen(text), cchMax - 1);
            std::memcpy(pszName, text, n);
            pszName[n] = 0;
            return S_OK;
        }
        default:
            return E_INVALIDARG;
        }
    }

private:
    const Verb* Find(LPCSTR lpVerb) const {
        auto offset = reinterpret_cast<UINT_PTR>(lpVerb);
        if (HIWORD(offset) == 0) return LOWORD(offset) < m_verbs.size() ? &m_verbs[LOWORD(offset)] : nullptr;
        for (const Verb& v : m_verbs)
            if (EqualNoCase(lpVerb, v.verb)) return &v;
        return nullptr;
    }

    // "ContextMenu: Query | open | ... | C:\dir\a.txt" or "ContextMenu: Invoke | verb | C:\dir\a.txt".
    void Record(std::vector<std::string> fields) const {
        FileTypes types;
        for (const Node& n : m_items)
            fields.push_back(Utf8ToAnsi(DisplayName(n, SHGDN_FORPARSING, types)));
        emu::Desktop::Current().Log().Add("ContextMenu", std::move(fields));
    }

    std::vector<Node> m_items;
    std::vector<Verb> m_verbs;
};

} // namespace

IContextMenu* NewContextMenu(std::vector<Node> items) {
    return new ContextMenu(std::move(items));
}

} // namespace emu::shell
