#include "archive/VerificaLimiti.h"
#include "cli/CliContext.h"
#include "platform/Prompter.h"
#include "settings/StatoProgramma.h"

namespace {

// The check's message boxes as lines of text, carriage returns written as \r.
class LinePrompter : public Prompter
{
public:
    explicit LinePrompter(QTextStream& out)
        : m_out(out)
    {
    }
    Button message(const QString& text, const QString&, Icon, Buttons) override
    {
        QString line = text;
        m_out << line.replace(QLatin1Char('\r'), QLatin1String("\\r")) << '\n';
        return Button::Ok;
    }

private:
    QTextStream& m_out;
};

int limiti(CliContext& context)
{
    for (const QString& argument : context.arguments) {
        if (argument != QLatin1String("--dopo-arresto")) {
            context.err << "uso: brenvolo-cli limiti [--dopo-arresto]\n";
            return CliExit::Usage;
        }
    }
    StatoProgramma stato;
    stato.fromStore(context.store);
    LinePrompter prompter(context.out);
    const int dopoArresto = context.flag(QStringLiteral("--dopo-arresto")) ? 1 : 0;
    return exitStatusFor(verificaLimiti(dopoArresto, context.archivio, context.oggi, stato, context.store, prompter));
}

} // namespace

QList<CliCommand> limitsCommands()
{
    return {{QStringLiteral("limiti"), limiti}};
}
