#pragma once

#include "data/ThresholdJudge.h"

#include <QTableWidget>

class FormGeometry;
class ResultDocument;

// The channel list: the six columns of the design, and a Margin column
// while the verdicts are shown. Besides the table's own signals it tells of
// every left mouse click inside its rows area, on a row or below the last
// one, once the click has settled the selection, and of every move of the
// current row by Up, Down, Home, End, Page Up or Page Down.
class ChannelList : public QTableWidget
{
    Q_OBJECT
public:
    static constexpr int DesignColumns = 6;
    static constexpr int MarginColumn = DesignColumns;

    explicit ChannelList(QWidget *parent = nullptr);

    // The design's columns, and the Margin column with `margins`, each at
    // least as wide as `geometry` makes it (the Margin column as Time) and
    // as its texts need.
    void SetUpColumns(bool margins, const FormGeometry &geometry);
    bool ShowsMargins() const { return columnCount() > DesignColumns; }
    // The rows of fiber `block` of `document`, the power by the list's rule
    // ("Low" for a power read below -99.9); with the Margin column, each
    // channel's margin in it, from `channels`.
    void ShowFiber(const ResultDocument &document, qsizetype block,
                   const QList<ThresholdJudge::Channel> &channels);
    // Each channel's margin, two places, empty where it has none, a failing
    // channel's marked with the mark of a fail.
    void ShowMargins(const QList<ThresholdJudge::Channel> &channels);

    // The width at which every column shows whole beside the vertical
    // scroll bar, so that the list never scrolls sideways.
    int WholeWidth() const;
    // The height at which `rows` rows show whole under the headings.
    int WholeHeight(int rows) const;
    // Widens each column to what its heading and the widest text of its
    // cells take in the list's own font and style (whatever a style sheet
    // makes of them), never narrower than `least`. Rows are as high as the
    // list's font and style need.
    void FitColumns(const QList<int> &least, const QStringList &widestTexts);

signals:
    void mouseClicked();
    void keyMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    int roundingSlack(const QString &text) const;
    bool m_bLeftPressed = false;
};
