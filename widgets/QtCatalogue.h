#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (the standard buttons, the file dialogs) in Italian,
// whatever the locale, like the program's own texts. Returns the catalogue
// installed in `app` and owned by it; null, and the texts stay English, when
// the system has no Italian catalogue of Qt.
QTranslator* installQtCatalogue(QCoreApplication& app);
