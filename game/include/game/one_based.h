#pragma once

#include <QtGlobal>

#include <vector>

// The game's arrays count from 1: element 1 is player 1, column 1, gap 1.
// Keeping that numbering in the container means no caller ever translates
// indices by hand. Re-creating an array resets every element.
template <typename T>
class OneBased
{
public:
    void Recreate(int count) { items_.assign(count > 0 ? std::size_t(count) : 0, T{}); }
    int Count() const { return int(items_.size()); }
    bool Has(int i) const { return i >= 1 && i <= Count(); }

    T &operator()(int i)
    {
        Q_ASSERT_X(Has(i), "OneBased", "index out of range");
        return items_.at(std::size_t(i - 1));
    }
    const T &operator()(int i) const
    {
        Q_ASSERT_X(Has(i), "OneBased", "index out of range");
        return items_.at(std::size_t(i - 1));
    }

private:
    std::vector<T> items_;
};

// A table indexed (row, column), both from 1: the rung table is one.
template <typename T>
class OneBasedTable
{
public:
    void Recreate(int rows, int columns)
    {
        rows_ = rows > 0 ? rows : 0;
        columns_ = columns > 0 ? columns : 0;
        items_.assign(std::size_t(rows_) * std::size_t(columns_), T{});
    }
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    bool Has(int row, int column) const
    {
        return row >= 1 && row <= rows_ && column >= 1 && column <= columns_;
    }

    T &operator()(int row, int column)
    {
        Q_ASSERT_X(Has(row, column), "OneBasedTable", "index out of range");
        return items_.at(std::size_t(row - 1) * std::size_t(columns_) + std::size_t(column - 1));
    }
    const T &operator()(int row, int column) const
    {
        Q_ASSERT_X(Has(row, column), "OneBasedTable", "index out of range");
        return items_.at(std::size_t(row - 1) * std::size_t(columns_) + std::size_t(column - 1));
    }

private:
    int rows_ = 0;
    int columns_ = 0;
    std::vector<T> items_;
};
