#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The font of a form as its description gives it. The face name is kept exactly
// as stored (Name). Where that face is not installed, the font asks Qt for the
// first installed Japanese proportional gothic in its place, so that Japanese
// captions never fall back to a Latin face.
class WindowFont {
public:
    void SetName(const QString& name);
    // Negative: the character height in pixels without internal leading;
    // positive: the cell height with it.
    void SetHeight(int height);
    void SetStyle(const QStringList& styles);

    const QString& Name() const { return name_; }
    QFont ToFont() const;

private:
    QString name_;
    QString face_; // what Qt is asked for
    int height_ = -12;
    QStringList styles_;
};
