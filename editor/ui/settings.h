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
class Settings : public IPXV_Settings
{
public:
    static inline const QString kSingleWindow = QStringLiteral("Docs.SingleWnd");
    static inline const QString kCommentAuthor = QStringLiteral("Comments.Author");
    static inline const QString kFormScripts = QStringLiteral("Forms.Scripts");

    void setBool(const QString& name, bool value) override;
    bool getBool(const QString& name, bool defaultValue = false) const override;
    void setString(const QString& name, const QString& value) override;
    QString getString(const QString& name, const QString& defaultValue = QString()) const override;

    // Called after a setting changed, with its name.
    void setChangeHandler(std::function<void(const QString&)> handler) { m_onChange = std::move(handler); }

private:
    void set(const QString& name, const QVariant& value);

    QHash<QString, QVariant> m_values;
    std::function<void(const QString&)> m_onChange;
};

} // namespace pxv
