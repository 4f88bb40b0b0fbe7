// CColumnClasses: a column's texts read by value and turned into sort keys, then into classes.
#include "resultlist/ColumnClasses.h"

#include "resultlist/SortKeys.h"

#include <algorithm>
#include <utility>

namespace {

constexpr wchar_t kNoValue[] = L"-";
// Rows read between two questions to the slice; a row costs about a microsecond.
constexpr size_t kRowsBetweenLooks = 256;

} // namespace

bool CColumnClasses::Made(int column) const
{
    return column >= 0 && static_cast<size_t>(column) < m_columns.size() && m_columns[column].made;
}

void CColumnClasses::Forget()
{
    m_columns.clear();
    m_reading = -1;
    std::vector<std::string>().swap(m_keys);
    std::vector<Read>().swap(m_read);
    m_nextRow = 0;
}

bool CColumnClasses::MakeSome(const CListCtrl& list, const std::vector<int>& shownValues, const IdleSlice& slice)
{
    const int count = list.GetColumnCount();
    m_columns.resize(static_cast<size_t>(std::max(count, 0)));
    while (!slice.Over()) {
        if (m_reading < 0) {
            const auto next = std::find_if(m_columns.begin(), m_columns.end(), [](const Column& c) { return !c.made; });
            if (next == m_columns.end())
                return false;
            StartReading(static_cast<int>(next - m_columns.begin()), shownValues.size());
        }
        if (ReadOn(list, shownValues, slice))
            FinishReading();
    }
    return true;
}

const std::vector<int>& CColumnClasses::Of(const CListCtrl& list, int column, const std::vector<int>& shownValues)
{
    if (static_cast<size_t>(column) >= m_columns.size())
        m_columns.resize(static_cast<size_t>(column) + 1);
    if (!m_columns[column].made) {
        if (m_reading != column)
            StartReading(column, shownValues.size());
        ReadOn(list, shownValues, IdleSlice::Endless());
        FinishReading();
    }
    return m_columns[column].classes;
}

void CColumnClasses::StartReading(int column, size_t rows)
{
    m_reading = -1; // until the buffers are had
    std::vector<std::string> keys(rows);
    std::vector<Read> read(rows, Read::Not);
    m_keys = std::move(keys);
    m_read = std::move(read);
    m_nextRow = 0;
    m_reading = column;
}

bool CColumnClasses::ReadOn(const CListCtrl& list, const std::vector<int>& shownValues, const IdleSlice& slice)
{
    const DigitRule rule = SystemDigitRule();
    std::wstring text;
    std::vector<wchar_t> buffer(256);
    for (size_t looked = 0; m_nextRow < shownValues.size(); ++m_nextRow) {
        if (++looked % kRowsBetweenLooks == 0 && slice.Over())
            return false;
        const auto value = static_cast<size_t>(shownValues[m_nextRow]);
        if (m_read[value] != Read::Not)
            continue;
        list.GetItemText(static_cast<int>(m_nextRow), m_reading, text, buffer);
        if (text == kNoValue) {
            m_read[value] = Read::NoValue;
        } else {
            m_keys[value] = SortKey(text, rule);
            m_read[value] = Read::Text;
        }
    }
    return true;
}

void CColumnClasses::FinishReading()
{
    std::vector<int> withText;
    withText.reserve(m_keys.size());
    for (size_t value = 0; value < m_read.size(); ++value) {
        if (m_read[value] == Read::Text)
            withText.push_back(static_cast<int>(value));
    }
    std::sort(withText.begin(), withText.end(), [&](int a, int b) { return m_keys[a] < m_keys[b]; });
    std::vector<int> classes(m_keys.size(), kNoValueClass);
    int current = -1;
    for (size_t i = 0; i < withText.size(); ++i) {
        if (i == 0 || m_keys[withText[i - 1]] < m_keys[withText[i]])
            ++current;
        classes[static_cast<size_t>(withText[i])] = current;
    }
    Column& column = m_columns[static_cast<size_t>(m_reading)];
    column.classes = std::move(classes);
    column.made = true;
    m_reading = -1;
    std::vector<std::string>().swap(m_keys);
    std::vector<Read>().swap(m_read);
}
