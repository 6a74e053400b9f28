// A list of the names of a folder's songs ("*.mp3"), sorted, with single
// selection. clicked() comes when the user picks an entry, with the mouse or
// the keyboard; selecting from code does not emit it.
#pragma once

#include "slideshow/MusicList.h"

#include <QListWidget>

#include <filesystem>

class TFileListBox final : public QListWidget, public IMusicList {
    Q_OBJECT

public:
    explicit TFileListBox(QWidget* parent);

    // Shows the songs of `folder`; a missing folder shows none.
    void SetDirectory(const std::filesystem::path& folder);
    std::string Directory() const { return folder_; }
    // Reads the folder again. The selected name stays selected while it is
    // still there.
    void Refresh();
    int SelectedIndex() const;

    int Count() const override { return count(); }
    std::string Name(int index) const override;
    void Select(int index) override;
    std::string SelectedPath() const override;

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string folder_;
};
