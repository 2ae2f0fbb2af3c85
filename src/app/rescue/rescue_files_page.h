#pragma once

#include <QString>
#include <QWizardPage>
#include <cstdint>

class QLineEdit;

// The first page of the rescue wizard (dialog 31021): the damaged note file
// and the text file to write, each typed or chosen with a file dialog.
// Choosing the note file also proposes the output file (rescueOutputName).
// Next wants both names (messages 20093, 20094) and two different files
// (message 20099); otherwise the page stays.
class RescueFilesPage : public QWizardPage {
    Q_OBJECT
public:
    // What a user may type into a name field, in the platform's path bytes.
    // A longer name chosen with a file dialog is taken whole.
    static constexpr int kMaxPathBytes = 259;

    explicit RescueFilesPage(QWidget* parent = nullptr);

    // The names as given, without surrounding white space.
    QString noteFile() const;
    QString outputFile() const;

    QLineEdit* noteFileField() const;
    QLineEdit* outputFileField() const;

    bool validatePage() override;

private:
    class PathField;

    void chooseNoteFile();
    void chooseOutputFile();
    void refuse(std::uint32_t messageId, QLineEdit* field);

    PathField* m_noteFile;
    PathField* m_outputFile;
};
