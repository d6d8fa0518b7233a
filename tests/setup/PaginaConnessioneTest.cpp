#include "setup/PaginaConnessione.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/FakeDialUpSource.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

struct Pagina
{
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    FakeDialUpSource dialUp;
    QStringList disponibili{s("monitor1"), s("monitor2")};
    PaginaConnessione pagina{store, dialUp, [this] { return disponibili; }};

    void memorizzate(const char* automatico, const char* provider, const char* utente, const char* password)
    {
        store.write(Catalogue::ConnessioneAutomatico, s(automatico));
        store.write(Catalogue::ConnessioneProvider, s(provider));
        store.write(Catalogue::ConnessioneUtente, s(utente));
        store.write(Catalogue::ConnessionePassword, s(password));
    }
    void rubrica(std::initializer_list<const char*> nomi)
    {
        for (const char* nome : nomi)
            dialUp.entries.append({s(nome), s("")});
    }
    QStringList stored() const
    {
        return {store.read(Catalogue::ConnessioneAutomatico), store.read(Catalogue::ConnessioneProvider),
                store.read(Catalogue::ConnessioneUtente), store.read(Catalogue::ConnessionePassword)};
    }
};

} // namespace

TEST(PaginaConnessione, AutomaticShowsTheStoredEntryDisabledWithoutReadingThePhoneBook)
{
    Pagina p;
    p.memorizzate("ON", "casa", "mario", "segreta");
    EXPECT_TRUE(p.pagina.entra().isEmpty());
    EXPECT_TRUE(p.pagina.automatica());
    EXPECT_EQ(p.pagina.titolo(), s("Connessione automatica attivata"));
    EXPECT_EQ(p.pagina.voce(), s("casa"));
    EXPECT_EQ(p.pagina.utente(), s("mario"));
    EXPECT_EQ(p.pagina.password(), s("segreta"));
    EXPECT_FALSE(p.pagina.campiAttivi());
    EXPECT_EQ(p.dialUp.phoneBookReads, 0);
}

TEST(PaginaConnessione, ManualListsThePhoneBookAndPicksTheFirstEntry)
{
    Pagina p;
    p.memorizzate("OFF", "casa", "mario", "segreta");
    p.rubrica({"ufficio", "casa", "mare"});
    p.dialUp.params.insert(s("ufficio"), {s("luigi"), s("nascosta"), false});
    p.dialUp.params.insert(s("casa"), {s("mario"), s("pw"), true});
    EXPECT_TRUE(p.pagina.entra().isEmpty());
    EXPECT_EQ(p.pagina.titolo(), s("Connessione automatica disattivata"));
    EXPECT_TRUE(p.pagina.campiAttivi());
    EXPECT_EQ(p.pagina.elenco(), QStringList({s("ufficio"), s("casa"), s("mare")}));
    EXPECT_EQ(p.pagina.voce(), s("ufficio"));
    EXPECT_EQ(p.pagina.utente(), s("luigi"));
    EXPECT_TRUE(p.pagina.password().isEmpty()); // not saved for this entry

    EXPECT_TRUE(p.pagina.scegli(s("casa")).isEmpty());
    EXPECT_EQ(p.pagina.utente(), s("mario"));
    EXPECT_EQ(p.pagina.password(), s("pw"));

    const QList<Message> errore = p.pagina.scegli(s("mare"));
    ASSERT_EQ(errore.size(), 1);
    EXPECT_EQ(errore.at(0).text, s("Impossibile recuperare i parametri di connessione: errore"));
    EXPECT_EQ(errore.at(0).title, s("Errore"));
    EXPECT_EQ(errore.at(0).icon, Message::Icon::Critical);
    EXPECT_TRUE(p.pagina.utente().isEmpty());
    EXPECT_TRUE(p.pagina.password().isEmpty());
}

TEST(PaginaConnessione, PhoneBookThatCannotBeListed)
{
    for (const int voci : {-1, 101}) {
        Pagina p;
        if (voci < 0)
            p.dialUp.phoneBookFails = true;
        for (int i = 0; i < voci; ++i)
            p.dialUp.entries.append({QStringLiteral("voce%1").arg(i), QString()});
        const QList<Message> messaggi = p.pagina.entra();
        ASSERT_EQ(messaggi.size(), 1) << voci;
        EXPECT_EQ(messaggi.at(0).text, s("Impossibile recuperare i parametri di connessione"));
        EXPECT_EQ(messaggi.at(0).title, s("Errore"));
        EXPECT_TRUE(p.pagina.elenco().isEmpty());
        EXPECT_TRUE(p.pagina.campiAttivi());
    }
    Pagina cento;
    for (int i = 0; i < 100; ++i)
        cento.dialUp.entries.append({QStringLiteral("voce%1").arg(i), QString()});
    cento.dialUp.params.insert(s("voce0"), {});
    EXPECT_TRUE(cento.pagina.entra().isEmpty());
    EXPECT_EQ(cento.pagina.elenco().size(), 100);

    Pagina vuota;
    EXPECT_TRUE(vuota.pagina.entra().isEmpty());
    EXPECT_TRUE(vuota.pagina.voce().isEmpty());
}

TEST(PaginaConnessione, TogglingTheCheckBox)
{
    Pagina p;
    p.memorizzate("ON", "casa", "mario", "segreta");
    p.pagina.entra();
    p.pagina.spunta(false);
    EXPECT_EQ(p.pagina.titolo(), s("Connessione automatica disattivata"));
    EXPECT_TRUE(p.pagina.campiAttivi());
    EXPECT_TRUE(p.pagina.utente().isEmpty());
    EXPECT_TRUE(p.pagina.password().isEmpty());
    EXPECT_EQ(p.pagina.elenco(), p.disponibili);
    EXPECT_TRUE(p.pagina.voce().isEmpty());

    p.pagina.scegli(s("monitor2"));
    p.pagina.spunta(true);
    EXPECT_EQ(p.pagina.titolo(), s("Connessione automatica attivata"));
    EXPECT_FALSE(p.pagina.campiAttivi());
    EXPECT_EQ(p.pagina.voce(), s("monitor2"));
}

TEST(PaginaConnessione, NothingIsWrittenBeforeThePageIsLoaded)
{
    Pagina p;
    p.memorizzate("ON", "casa", "mario", "segreta");
    p.pagina.salva();
    p.pagina.applica();
    EXPECT_EQ(p.stored(), QStringList({s("ON"), s("casa"), s("mario"), s("segreta")}));

    p.pagina.entra();
    p.pagina.spunta(false);
    p.pagina.setVoce(s("scritta a mano"));
    p.pagina.applica();
    EXPECT_EQ(p.stored(), QStringList({s("OFF"), s("scritta a mano"), QString(), QString()}));
    // Entering again shows the store, not what was on the page.
    p.memorizzate("ON", "casa", "mario", "segreta");
    p.pagina.entra();
    EXPECT_EQ(p.pagina.voce(), s("casa"));
    p.pagina.salva();
    EXPECT_EQ(p.stored(), QStringList({s("ON"), s("casa"), s("mario"), s("segreta")}));
}
