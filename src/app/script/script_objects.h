#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>
#include <memory>

#include "app/script/script_bridge.h"
#include "core/automation/item_object.h"

namespace tidemark {
class FileObject;
class ItemNodeObject;
class ItemTextObject;
class NoteObject;
class NoteService;
}  // namespace tidemark

// The script's side of the automation objects: each member keeps its
// published name and calls the object layer on the window's thread; an
// error the layer raises is thrown into the script.

// The members memo groups and memos share.
class ScriptItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Id READ Id)
    Q_PROPERTY(int Type READ Type)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(QString Remarks READ Remarks WRITE SetRemarks)
    Q_PROPERTY(QString Foreground READ Foreground WRITE SetForeground)
    Q_PROPERTY(QString Background READ Background WRITE SetBackground)
    Q_PROPERTY(bool StrikeOut READ StrikeOut WRITE SetStrikeOut)
    Q_PROPERTY(QString ModifiedTime READ ModifiedTime)
public:
    ScriptItem(const ScriptBridge& bridge, tidemark::ItemHandle item);
    ~ScriptItem() override;

    const tidemark::ItemHandle& handle() const { return m_item; }

    int Id() const;
    int Type() const;
    QString Title() const;
    void SetTitle(const QString& text);
    QString Remarks() const;
    void SetRemarks(const QString& text);
    QString Foreground() const;
    void SetForeground(const QString& colour);
    QString Background() const;
    void SetBackground(const QString& colour);
    bool StrikeOut() const;
    void SetStrikeOut(bool on);
    QString ModifiedTime() const;

    Q_INVOKABLE bool IsDeleted() const;
    Q_INVOKABLE bool Exist(int position) const;
    Q_INVOKABLE QObject* GetItem(int position) const;
    Q_INVOKABLE QObject* NewItem(int type, int position);
    Q_INVOKABLE void DeleteItem();
    Q_INVOKABLE void MoveTo(const QJSValue& item, int position);
    Q_INVOKABLE bool IsParent(const QJSValue& item) const;

protected:
    const ScriptBridge& m_bridge;

private:
    // The item an argument stands for; null when it is none of ours.
    static const tidemark::ItemObject* itemOf(const QJSValue& value);

    tidemark::ItemHandle m_item;
};

// A memo group or the root.
class ScriptItemNode : public ScriptItem {
    Q_OBJECT
    Q_PROPERTY(bool Open READ Open WRITE SetOpen)
    Q_PROPERTY(bool Encrypted READ Encrypted)
public:
    ScriptItemNode(const ScriptBridge& bridge, tidemark::ItemHandle item);

    bool Open() const;
    void SetOpen(bool open);
    bool Encrypted() const;
    Q_INVOKABLE int GetChildItemCount() const;
    Q_INVOKABLE QObject* GetChildItem(int index) const;

private:
    tidemark::ItemNodeObject& node() const;
};

// A memo.
class ScriptItemText : public ScriptItem {
    Q_OBJECT
    Q_PROPERTY(QString Body READ Body WRITE SetBody)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool UrlBody READ UrlBody WRITE SetUrlBody)
    Q_PROPERTY(bool UrlRemarks READ UrlRemarks WRITE SetUrlRemarks)
public:
    ScriptItemText(const ScriptBridge& bridge, tidemark::ItemHandle item);

    QString Body() const;
    void SetBody(const QString& text);
    bool WordWrap() const;
    void SetWordWrap(bool on);
    bool UrlBody() const;
    void SetUrlBody(bool on);
    bool UrlRemarks() const;
    void SetUrlRemarks(bool on);

private:
    tidemark::ItemTextObject& memo() const;
};

// A note: the window's own or a detached one.
class ScriptNote : public QObject {
    Q_OBJECT
    Q_PROPERTY(int MEMO READ MEMO CONSTANT)
    Q_PROPERTY(int MEMOGROUP READ MEMOGROUP CONSTANT)
    Q_PROPERTY(int ROOT READ ROOT CONSTANT)
    Q_PROPERTY(int PARENT READ PARENT CONSTANT)
    Q_PROPERTY(int CHILD READ CHILD CONSTANT)
    Q_PROPERTY(int PREVIOUS READ PREVIOUS CONSTANT)
    Q_PROPERTY(int NEXT READ NEXT CONSTANT)
    Q_PROPERTY(QString FileName READ FileName)
    Q_PROPERTY(QString Remarks READ Remarks WRITE SetRemarks)
    Q_PROPERTY(QString Foreground READ Foreground WRITE SetForeground)
    Q_PROPERTY(QString Background READ Background WRITE SetBackground)
public:
    ScriptNote(const ScriptBridge& bridge, std::shared_ptr<tidemark::NoteObject> note);
    ~ScriptNote() override;

    int MEMO() const;
    int MEMOGROUP() const;
    int ROOT() const;
    int PARENT() const;
    int CHILD() const;
    int PREVIOUS() const;
    int NEXT() const;
    QString FileName() const;
    QString Remarks() const;
    void SetRemarks(const QString& caption);
    QString Foreground() const;
    void SetForeground(const QString& colour);
    QString Background() const;
    void SetBackground(const QString& colour);

    Q_INVOKABLE QObject* GetRootItem() const;
    Q_INVOKABLE int GetItemCount() const;
    Q_INVOKABLE QObject* GetFocusItem() const;
    Q_INVOKABLE int GetSelectedItemCount() const;
    Q_INVOKABLE QObject* GetSelectedItem(int index) const;
    Q_INVOKABLE QString GetSelectedText() const;
    Q_INVOKABLE void Save();
    Q_INVOKABLE void SaveAs(const QString& path);

private:
    const ScriptBridge& m_bridge;
    std::shared_ptr<tidemark::NoteObject> m_note;
};

// A text file the script reads and writes.
class ScriptFileObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName)
public:
    ScriptFileObject(const ScriptBridge& bridge, std::shared_ptr<tidemark::FileObject> file);
    ~ScriptFileObject() override;

    QString FileName() const;
    Q_INVOKABLE int Exist() const;
    Q_INVOKABLE QString Read() const;
    Q_INVOKABLE void Write(const QString& text);
    Q_INVOKABLE void Delete();

private:
    const ScriptBridge& m_bridge;
    std::shared_ptr<tidemark::FileObject> m_file;
};

// The service that makes and opens notes without a window.
class ScriptNoteService : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Version READ Version CONSTANT)
public:
    explicit ScriptNoteService(const ScriptBridge& bridge);
    ~ScriptNoteService() override;

    int Version() const;
    Q_INVOKABLE QJSValue New();
    Q_INVOKABLE QJSValue Open(const QString& fileName);

private:
    const ScriptBridge& m_bridge;
    std::unique_ptr<tidemark::NoteService> m_service;
};
