#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QTableWidget;

namespace dayloom {

// "Symbol Selector": the installed symbol fonts and the 224 characters of
// the chosen one (codes 32 to 255) in 15 columns.
class TSuperTextGetSymbol : public QDialog {
    Q_OBJECT
public:
    static constexpr int kColumns = 15;
    static constexpr int kFirstCode = 32;
    static constexpr int kLastCode = 255;

    explicit TSuperTextGetSymbol(QWidget* parent = nullptr);

    // False when no symbol font is installed; showing the dialog then tells
    // "No Symbol fonts installed" and closes it.
    bool HasFonts() const { return FHasFonts; }
    int exec() override;

    QString SelectedFont() const;
    // The chosen character's code (32..255), -1 when none is chosen.
    int SelectedCode() const;
    void SelectFont(const QString& family);
    void SelectCode(int code);

    QComboBox* FontList() const { return FFonts; }
    QTableWidget* CharacterList() const { return FCharacters; }

private:
    void FontChange(int index);
    void OKButtonClick();

    QComboBox* FFonts;
    QTableWidget* FCharacters;
    bool FHasFonts = false;
};

}  // namespace dayloom
