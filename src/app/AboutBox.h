#pragma once
// The about box: product name, version, this machine's memory, the brand's lines and
// links to its web page and support address.

#include <QDialog>

namespace lumivar {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

// "Memória física total :" value: kilobytes with thousands separators and " KB".
QString MemoryKilobytesText(quint64 bytes);

} // namespace lumivar
