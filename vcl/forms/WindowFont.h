#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The font of a form as its description gives it. The face name is handed over
// exactly as stored; where the face is not installed, Qt's font matching takes
// the Japanese proportional gothics registered here as its stand-ins, so that
// Japanese captions never fall back to a Latin face.
class WindowFont {
public:
    void SetName(const QString& name);
    // Negative: the character height in pixels without internal leading;
    // positive: the cell height with it.
    void SetHeight(int height);
    void SetStyle(const QStringList& styles);

    QFont ToFont() const;

private:
    QString name_;
    int height_ = -12;
    QStringList styles_;
};
