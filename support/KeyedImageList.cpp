#include "support/KeyedImageList.h"
#include "support/CaseFold.h"

namespace vireo {

namespace {
const std::string kNone;
}

KeyedImageList::KeyedImageList(int cx, int cy, COLORREF maskColor) : m_mask(maskColor) {
    m_list = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 4, 4);
}

KeyedImageList::~KeyedImageList() {
    if (m_list) ImageList_Destroy(m_list);
}

int KeyedImageList::ImageWidth() const {
    int cx = 0, cy = 0;
    return m_list && ImageList_GetIconSize(m_list, &cx, &cy) ? cx : 0;
}

int KeyedImageList::ImageHeight() const {
    int cx = 0, cy = 0;
    return m_list && ImageList_GetIconSize(m_list, &cx, &cy) ? cy : 0;
}

int KeyedImageList::IndexOf(const std::string& key) const {
    if (key.empty()) return 0;
    auto it = m_index.find(FoldCase(key));
    return it == m_index.end() ? 0 : it->second;
}

int KeyedImageList::Added(int position, const std::string& key, const std::string& tag) {
    if (position < 0) return 0;
    m_entries.push_back(Entry{key, tag});
    int index = Count();
    if (!key.empty()) m_index.emplace(FoldCase(key), index);
    return index;
}

int KeyedImageList::AddIcon(HICON icon, const std::string& key, const std::string& tag) {
    if (!m_list || !icon || IndexOf(key)) return 0;
    return Added(ImageList_AddIcon(m_list, icon), key, tag);
}

int KeyedImageList::Add(IPicture* picture, const std::string& key, const std::string& tag) {
    if (!m_list || !picture || IndexOf(key)) return 0;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || FAILED(picture->get_Handle(&handle)) || !handle) return 0;
    // An OLE_HANDLE is 32 bits; handles widen with their sign, as Windows defines them on 64-bit builds.
    auto wide = static_cast<LONG_PTR>(static_cast<LONG>(handle));
    if (type == PICTYPE_ICON) return AddIcon(reinterpret_cast<HICON>(wide), key, tag);
    if (type == PICTYPE_BITMAP) return AddBitmap(reinterpret_cast<HBITMAP>(wide), key, tag);
    return 0;
}

int KeyedImageList::AddBitmap(HBITMAP bitmap, const std::string& key, const std::string& tag) {
    if (!m_list || !bitmap || IndexOf(key)) return 0;
    return Added(ImageList_AddMasked(m_list, bitmap, m_mask), key, tag);
}

const std::string& KeyedImageList::Key(int index) const {
    return index >= 1 && index <= Count() ? m_entries[static_cast<size_t>(index - 1)].key : kNone;
}

const std::string& KeyedImageList::Tag(int index) const {
    return index >= 1 && index <= Count() ? m_entries[static_cast<size_t>(index - 1)].tag : kNone;
}

void KeyedImageList::SetTag(int index, const std::string& tag) {
    if (index >= 1 && index <= Count()) m_entries[static_cast<size_t>(index - 1)].tag = tag;
}

void KeyedImageList::Clear() {
    if (m_list) ImageList_RemoveAll(m_list);
    m_entries.clear();
    m_index.clear();
}

} // namespace vireo
