// Helpers for the storage tests: a fresh directory with real files, and a
// window system that knows only titles, class names, texts and message boxes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/fake_window_system.h"

namespace moritelda::storagetest {

// A directory of its own for each test, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "moritelda-storage-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool Ok() const { return !path_.empty(); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

struct Box {
    WindowHandle owner;
    std::string text;
    std::string caption;
    std::uint32_t style;
};

// Answers the text and class questions of rule matching as GetWindowTextA and
// GetClassNameA would with the given buffer, counts them, and records message
// boxes; everything else is the simulated window system.
class StorageWindows : public FakeWindowSystem {
public:
    struct Texts {
        std::string title;
        std::string className;
    };
    std::map<WindowHandle, Texts> windows;
    std::map<int, std::string> texts;
    std::vector<Box> boxes;
    int titleAsks = 0;
    int classAsks = 0;
    int lastTitleBuffer = 0;
    int lastClassBuffer = 0;

    std::string WindowTitle(WindowHandle window, int bufferSize) override {
        ++titleAsks;
        lastTitleBuffer = bufferSize;
        auto found = windows.find(window);
        return found == windows.end() ? "" : found->second.title.substr(0, bufferSize - 1);
    }
    std::string ClassName(WindowHandle window, int bufferSize) override {
        ++classAsks;
        lastClassBuffer = bufferSize;
        auto found = windows.find(window);
        return found == windows.end() ? "" : found->second.className.substr(0, bufferSize - 1);
    }
    int MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t style) override {
        boxes.push_back(Box{owner, text ? text : "", caption ? caption : "", style});
        return 1;
    }
    std::string LoadText(int id) override { return texts.count(id) ? texts[id] : ""; }

    bool IsWindow(WindowHandle window) override { return windows.count(window) != 0; }
};

}  // namespace moritelda::storagetest
