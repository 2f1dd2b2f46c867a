// A scratch folder of real files for the Wine checks: made with its parents, filled by the group and
// removed with everything in it when the group ends.
#pragma once
#include <string>
#include <vector>

namespace winecheck {

class Scratch {
public:
    explicit Scratch(std::string root);
    ~Scratch();
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::string& Root() const { return m_root; }
    // Paths relative to the root; false when the file or folder could not be made.
    bool Folder(const std::string& relative);
    bool File(const std::string& relative, const std::string& contents);
    // Whether every folder and file was made.
    bool Ok() const { return m_ok; }

private:
    std::string m_root;
    std::vector<std::string> m_made; // removed last first
    bool m_ok = true;
};

} // namespace winecheck
