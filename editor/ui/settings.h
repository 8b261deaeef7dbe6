#pragma once

#include "ui/layer.h"

#include "ipxv.h"

#include <QHash>

#include <functional>

namespace pxv {

// The component's settings container. Known settings:
//   "Docs.SingleWnd" (default false): true shows one document at a time, an open replaces the
//   current document instead of adding a tab.
//   "Comments.Author" (default empty): the name new comments carry, the signed-in account's;
//   the user's login name when empty.
//   "Forms.Scripts" (default false): documents' form scripts (calculate, format, validate,
//   keystroke) run; nothing a document asks of the program beyond its pages is done either way.
//   "View.CommentBar" (default false): the Comment toolbar shows under the main toolbar; it
//   turns true when a comment tool is chosen. Kept in the editor's settings file.
//   "Comments.Styles" (default empty: the built-in looks): the look new comments of each kind
//   get, as CommentStyles writes it. Kept in the editor's settings file, so that it outlives
//   the program.
class Settings : public IPXV_Settings
{
public:
    static inline const QString kSingleWindow = QStringLiteral("Docs.SingleWnd");
    static inline const QString kCommentAuthor = QStringLiteral("Comments.Author");
    static inline const QString kFormScripts = QStringLiteral("Forms.Scripts");
    static inline const QString kCommentBar = QStringLiteral("View.CommentBar");
    static inline const QString kCommentStyles = QStringLiteral("Comments.Styles");

    void setBool(const QString& name, bool value) override;
    bool getBool(const QString& name, bool defaultValue = false) const override;
    void setString(const QString& name, const QString& value) override;
    QString getString(const QString& name, const QString& defaultValue = QString()) const override;

    // Called after a setting changed, with its name.
    void setChangeHandler(std::function<void(const QString&)> handler) { m_onChange = std::move(handler); }

private:
    void set(const QString& name, const QVariant& value);
    // The value set in this run, else the one kept on disk for a kept setting, else the default.
    QVariant value(const QString& name, const QVariant& defaultValue) const;

    mutable QHash<QString, QVariant> m_values; // also caches kept settings read from the file
    std::function<void(const QString&)> m_onChange;
};

} // namespace pxv
