#include "dialogs/filename/TPathBuffer.h"

#include "dialogs/filename/TPathSyntax.h"

#include <algorithm>

TPathBuffer::TPathBuffer(const TPathSyntax& syntax, QString start)
    : m_syntax(syntax), m_text(std::move(start))
{
}

bool TPathBuffer::AppendComponent(const QString& name)
{
    if (m_syntax.Length(name) > m_syntax.MaxNameLength())
        return false;
    QString longer = m_text;
    if (!longer.isEmpty() && !longer.endsWith(m_syntax.Separator()))
        longer += m_syntax.Separator();
    longer += name;
    if (m_syntax.Length(longer) > m_syntax.MaxPathLength())
        return false;
    m_text = std::move(longer);
    return true;
}

void TPathBuffer::RemoveLastComponent()
{
    const qsizetype root = m_syntax.RootLength(m_text);
    if (m_text.size() <= root)
        return;
    const qsizetype separator = m_text.lastIndexOf(m_syntax.Separator());
    if (separator < 0)
        m_text.clear();
    else
        m_text.truncate(std::max(separator, root));
}
