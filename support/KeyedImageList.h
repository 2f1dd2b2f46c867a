// An image list whose pictures also carry a key and a tag, and are counted from 1, as a form's image list
// control keeps them (its ListImages): the toolbar's and the popup menu's pictures live in such lists.
// Keys are unique and compare without regard to case; an empty key is no key.
#pragma once
#include "platform/win32.h"
#include <string>
#include <unordered_map>
#include <vector>

namespace vireo {

class KeyedImageList {
public:
    // An empty list of cx x cy pictures; bitmaps added later are drawn transparent where they have the
    // mask colour.
    KeyedImageList(int cx, int cy, COLORREF maskColor = CLR_NONE);
    ~KeyedImageList();
    KeyedImageList(const KeyedImageList&) = delete;
    KeyedImageList& operator=(const KeyedImageList&) = delete;

    HIMAGELIST Handle() const { return m_list; }
    int ImageWidth() const;
    int ImageHeight() const;
    int Count() const { return static_cast<int>(m_entries.size()); }

    // The 1-based index of the picture under key; 0 when there is none.
    int IndexOf(const std::string& key) const;
    // Adds a picture (an icon or a bitmap; the list keeps its own copy) at the end under key. Returns its
    // 1-based index; 0 when there is no picture or the key is taken.
    int Add(IPicture* picture, const std::string& key = "", const std::string& tag = "");
    int AddIcon(HICON icon, const std::string& key = "", const std::string& tag = "");
    // A bitmap, transparent where it has the list's mask colour; the list keeps its own copy.
    int AddBitmap(HBITMAP bitmap, const std::string& key = "", const std::string& tag = "");
    // "" for an index out of range.
    const std::string& Key(int index) const;
    const std::string& Tag(int index) const;
    void SetTag(int index, const std::string& tag);
    void Clear();

private:
    struct Entry {
        std::string key;
        std::string tag;
    };
    int Added(int position, const std::string& key, const std::string& tag);

    HIMAGELIST m_list = nullptr;
    COLORREF m_mask;
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, int> m_index; // folded key -> 1-based index
};

} // namespace vireo
