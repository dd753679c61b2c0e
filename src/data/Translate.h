#pragma once

#include <QString>

// The interface language of every text the program shows. Composed messages go through it piece by
// piece, so that each piece is found in a language file on its own. With no language loaded the text
// comes back as it was written.
QString Translate(const QString &text);
