#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>

class ScriptBridge;
class ScriptRun;

// The script's global object, TMScript: what a script reaches besides the
// note (dialogs, files, the console, other automation objects). Lives on
// the script's thread; dialogs and the console are shown on the window's.
class ScriptHostObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Version READ Version CONSTANT)
    Q_PROPERTY(QString ScriptName READ ScriptName CONSTANT)
    Q_PROPERTY(QString ScriptFileName READ ScriptFileName CONSTANT)
    Q_PROPERTY(QString EditorName READ EditorName CONSTANT)
    Q_PROPERTY(int YESNO READ YESNO CONSTANT)
    Q_PROPERTY(int OKCANCEL READ OKCANCEL CONSTANT)
    Q_PROPERTY(int YES READ YES CONSTANT)
    Q_PROPERTY(int NO READ NO CONSTANT)
    Q_PROPERTY(int OK READ OK CONSTANT)
    Q_PROPERTY(int CANCEL READ CANCEL CONSTANT)
public:
    // The answers Confirm gives and the button sets it takes.
    static constexpr int kYesNo = 4;
    static constexpr int kOkCancel = 1;
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    ScriptHostObject(const ScriptBridge& bridge, ScriptRun& run);

    int Version() const;
    QString ScriptName() const;
    QString ScriptFileName() const;
    QString EditorName() const;
    int YESNO() const { return kYesNo; }
    int OKCANCEL() const { return kOkCancel; }
    int YES() const { return kYes; }
    int NO() const { return kNo; }
    int OK() const { return kOk; }
    int CANCEL() const { return kCancel; }

    Q_INVOKABLE void Quit();
    Q_INVOKABLE void Message(const QString& text);
    Q_INVOKABLE int Confirm(const QString& text, int buttonMode);
    Q_INVOKABLE QString Input(const QString& text, const QString& initText);
    Q_INVOKABLE int Choose(const QString& text, const QString& elements, int initIndex);
    Q_INVOKABLE QString ChooseFile(const QString& caption, bool saveFlag);
    Q_INVOKABLE QJSValue CreateObject(const QString& progId);
    Q_INVOKABLE QJSValue GetObject(const QString& fileName, const QString& progId);
    Q_INVOKABLE QJSValue GetNote();
    Q_INVOKABLE void Print(const QString& text);
    Q_INVOKABLE void Run(const QString& command);
    Q_INVOKABLE int Execute(const QString& command);
    Q_INVOKABLE void Console(const QString& text);
    Q_INVOKABLE QJSValue FileObject(const QString& fileName);

private:
    static bool isNoteService(const QString& progId);

    const ScriptBridge& m_bridge;
    ScriptRun& m_run;
};
