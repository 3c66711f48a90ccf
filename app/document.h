// TDocument: the editor's one document, the text in the memo and the file it belongs to. It reads and
// writes that file, and it alone decides the document's name: a name is taken only once a file under
// it was read or written whole, so no later save can write the memo over a file that failed to load.
#pragma once

#include <functional>
#include <string>

class TMemo;

class TDocument {
public:
    // What the window shows of the document, told at the moments it changes: the caption made of a
    // file's title, and the path panel.
    struct View {
        std::function<void(const std::string& title)> showTitle;
        std::function<void(const std::string& path)> showPath;
    };

    TDocument(TMemo& memo, View view);

    // The full path of the document's file; empty when it has none.
    const std::string& FileName() const { return fileName_; }
    // The file-name part of the name the caption shows.
    const std::string& Title() const { return title_; }
    bool Modified() const;
    // The memo holds no text at all (not even a line break).
    bool Empty() const;

    // The file named on the command line: the caption names it at once, and it is read when the memo
    // is entered; it becomes the document's name only once read.
    void ExpectFile(const std::string& fileName);
    // The memo was entered: the expected or own file is read again unless that would throw unsaved
    // text away, and the window shows the document.
    void Refresh();
    // Reads `fileName` into the memo; the document then belongs to it, and the window shows it. A file
    // that cannot be read raises its error and leaves the text, the flag and the name as they were.
    void Open(const std::string& fileName);
    // Writes the text to the document's own file.
    void Save();
    // Writes the text to `fileName`, which then becomes the document's name. The window keeps showing
    // the old one until the memo is next entered.
    void SaveAs(const std::string& fileName);
    // An empty text without a file: the path panel empties, the caption stays.
    void Clear();

private:
    // Everything that names the document goes through here.
    void TakeName(const std::string& fileName);
    void ShowTitle(const std::string& fileName);

    TMemo& memo_;
    View view_;
    std::string fileName_;
    std::string expected_;
    std::string title_;
};
