#pragma once

#include <json/json.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// One result row: cells by column name. The map keeps columns in name order, not in select order.
class QRow
{
public:
    using Columns = std::map<std::wstring, Json::Value>;

    // An absent name is inserted with a null value.
    Json::Value& operator[](const std::wstring& name);
    bool contains(const std::wstring& name) const;
    // The cell of a present column (std::out_of_range otherwise).
    const Json::Value& at(const std::wstring& name) const;
    void set(const std::wstring& name, const Json::Value& value);

    std::size_t size() const;
    bool empty() const;

    Columns::const_iterator begin() const;
    Columns::const_iterator end() const;

    // An object keyed by UTF-8 column names; an empty row gives null.
    Json::Value toJson() const;

private:
    Columns m_columns;
};

// The rows of one query, in result order.
class QTable
{
public:
    std::size_t size() const;
    bool empty() const;

    // Both throw UException when the row or the column is missing.
    QRow& row(std::size_t index);
    const QRow& row(std::size_t index) const;
    Json::Value& value(std::size_t index, const std::wstring& name);
    const Json::Value& value(std::size_t index, const std::wstring& name) const;

    void append(const QRow& row);
    void append(QRow&& row);

    // An array of the rows' objects; an empty table gives an empty array.
    Json::Value toJson() const;

private:
    std::vector<QRow> m_data;
};
