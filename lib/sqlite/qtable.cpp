#include "qtable.h"

#include "textconv.h"
#include "uexception.h"

#include <utility>

Json::Value& QRow::operator[](const std::wstring& name)
{
    return m_columns[name];
}

bool QRow::contains(const std::wstring& name) const
{
    return m_columns.find(name) != m_columns.end();
}

const Json::Value& QRow::at(const std::wstring& name) const
{
    return m_columns.at(name);
}

void QRow::set(const std::wstring& name, const Json::Value& value)
{
    (*this)[name] = value;
}

std::size_t QRow::size() const
{
    return m_columns.size();
}

bool QRow::empty() const
{
    return m_columns.empty();
}

QRow::Columns::const_iterator QRow::begin() const
{
    return m_columns.begin();
}

QRow::Columns::const_iterator QRow::end() const
{
    return m_columns.end();
}

Json::Value QRow::toJson() const
{
    Json::Value result;
    for (const auto& column : m_columns)
        result[wideToUtf8(column.first)] = column.second;
    return result;
}

std::size_t QTable::size() const
{
    return m_data.size();
}

bool QTable::empty() const
{
    return m_data.empty();
}

QRow& QTable::row(std::size_t index)
{
    return const_cast<QRow&>(std::as_const(*this).row(index));
}

const QRow& QTable::row(std::size_t index) const
{
    U_ASSERT(index < m_data.size());
    return m_data[index];
}

Json::Value& QTable::value(std::size_t index, const std::wstring& name)
{
    return const_cast<Json::Value&>(std::as_const(*this).value(index, name));
}

const Json::Value& QTable::value(std::size_t index, const std::wstring& name) const
{
    U_ASSERT(index < m_data.size());
    U_ASSERT(m_data[index].contains(name));
    return m_data[index].at(name);
}

void QTable::append(const QRow& row)
{
    m_data.push_back(row);
}

void QTable::append(QRow&& row)
{
    m_data.push_back(std::move(row));
}

Json::Value QTable::toJson() const
{
    Json::Value result(Json::arrayValue);
    for (const QRow& row : m_data)
        result.append(row.toJson());
    return result;
}
