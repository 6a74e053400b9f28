#include "windows/FileListBox.h"

#include "slideshow/SongFolders.h"

#include <QKeyEvent>

namespace {
const int kItemHeight = 16;
}

TFileListBox::TFileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setFrameStyle(QFrame::NoFrame);
    connect(this, &QListWidget::itemClicked, this, &TFileListBox::clicked);
}

void TFileListBox::SetDirectory(const std::filesystem::path& folder) {
    folder_ = folder.string();
    Refresh();
}

void TFileListBox::Refresh() {
    int index = SelectedIndex();
    QString selected = index >= 0 ? item(index)->text() : QString();
    clear();
    for (const std::string& name : ListSongs(folder_)) {
        auto* item = new QListWidgetItem(QString::fromStdString(name), this);
        item->setSizeHint(QSize(0, kItemHeight));
        if (!selected.isEmpty() && item->text() == selected) setCurrentItem(item);
    }
}

int TFileListBox::SelectedIndex() const {
    QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.first());
}

std::string TFileListBox::Name(int index) const { return item(index)->text().toStdString(); }

void TFileListBox::Select(int index) { setCurrentRow(index); }

std::string TFileListBox::SelectedPath() const {
    int index = SelectedIndex();
    return index < 0 ? std::string() : SongPath(folder_, Name(index));
}

void TFileListBox::keyPressEvent(QKeyEvent* event) {
    int before = SelectedIndex();
    QListWidget::keyPressEvent(event);
    if (SelectedIndex() >= 0 && SelectedIndex() != before) emit clicked();
}
