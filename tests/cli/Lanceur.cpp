#include "Lanceur.h"

#include "platform/Caracteres.h"

#include <stdexcept>

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#else
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;
#endif

namespace test {

#ifdef _WIN32

namespace {

// Quoted so that CommandLineToArgvW gives the argument back unchanged.
std::wstring Citer(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
  std::wstring sortie = L"\"";
  size_t barres = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++barres;
      continue;
    }
    sortie.append(c == L'"' ? 2 * barres + 1 : barres, L'\\');
    barres = 0;
    sortie += c;
  }
  sortie.append(2 * barres, L'\\');
  return sortie + L"\"";
}

struct TFichierTemporaire {
  std::wstring nom;
  HANDLE h = INVALID_HANDLE_VALUE;
  bool temporaire = true;
  explicit TFichierTemporaire(const std::wstring& impose) : temporaire(impose.empty()) {
    if (temporaire) {
      wchar_t dossier[MAX_PATH + 1], fichier[MAX_PATH + 1];
      GetTempPathW(MAX_PATH + 1, dossier);
      GetTempFileNameW(dossier, L"krv", 0, fichier);
      nom = fichier;
    } else {
      nom = impose;
    }
    SECURITY_ATTRIBUTES heritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    h = CreateFileW(nom.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &heritable, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("fichier temporaire impossible");
  }
  ~TFichierTemporaire() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  std::string Lire() {
    CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
    std::ifstream f(std::filesystem::path(nom), std::ios::binary);
    std::string contenu((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    f.close();
    if (temporaire) DeleteFileW(nom.c_str());
    return contenu;
  }
};

// The child inherits the parent's environment: set the variables around its creation.
class TEnvironnementProvisoire {
public:
  explicit TEnvironnementProvisoire(const std::vector<std::pair<std::string, std::string>>& variables) {
    for (const auto& [nom, valeur] : variables) {
      const std::wstring n = plateforme::Vers_Utf16(nom);
      wchar_t ancienne[32768];
      const DWORD taille = GetEnvironmentVariableW(n.c_str(), ancienne, 32768);
      anciennes_.push_back({n, taille > 0 ? std::wstring(ancienne, taille) : std::wstring(), taille > 0});
      SetEnvironmentVariableW(n.c_str(), plateforme::Vers_Utf16(valeur).c_str());
    }
  }
  ~TEnvironnementProvisoire() {
    for (const auto& a : anciennes_)
      SetEnvironmentVariableW(a.nom.c_str(), a.present ? a.valeur.c_str() : nullptr);
  }

private:
  struct TAncienne {
    std::wstring nom, valeur;
    bool present;
  };
  std::vector<TAncienne> anciennes_;
};

}  // namespace

TExecution Lancer(const TLancement& l) {
  std::wstring ligne = Citer(plateforme::Vers_Utf16(l.programme));
  for (const auto& a : l.arguments) ligne += L" " + Citer(plateforme::Vers_Utf16(a));
  TFichierTemporaire sortie(plateforme::Vers_Utf16(l.sortie_vers)), erreur(L"");
  STARTUPINFOW demarrage{};
  demarrage.cb = sizeof(demarrage);
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  demarrage.hStdOutput = sortie.h;
  demarrage.hStdError = erreur.h;
  PROCESS_INFORMATION processus{};
  {
    TEnvironnementProvisoire environnement(l.environnement);
    if (!CreateProcessW(nullptr, ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &demarrage,
                        &processus))
      throw std::runtime_error("impossible de lancer " + l.programme);
  }
  WaitForSingleObject(processus.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(processus.hProcess, &code);
  CloseHandle(processus.hProcess);
  CloseHandle(processus.hThread);
  TExecution resultat;
  resultat.code = static_cast<int>(code);
  resultat.sortie = l.sortie_vers.empty() ? sortie.Lire() : std::string();
  resultat.erreur = erreur.Lire();
  return resultat;
}

#else

namespace {

bool Variable_De_Locale(const char* entree) {
  return std::strncmp(entree, "LANG=", 5) == 0 || std::strncmp(entree, "LANGUAGE=", 9) == 0 ||
         std::strncmp(entree, "LC_", 3) == 0;
}

std::vector<std::string> Environnement_Enfant(const TLancement& l) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    bool remplace = Variable_De_Locale(*e);
    for (const auto& [nom, valeur] : l.environnement)
      remplace = remplace || std::strncmp(*e, (nom + "=").c_str(), nom.size() + 1) == 0;
    if (!remplace) env.emplace_back(*e);
  }
  for (const auto& [nom, valeur] : l.environnement) env.push_back(nom + "=" + valeur);
  return env;
}

struct TTube {
  int lecture = -1, ecriture = -1;
  TTube() {
    int fd[2];
    if (::pipe2(fd, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    lecture = fd[0];
    ecriture = fd[1];
  }
  ~TTube() {
    Fermer(lecture);
    Fermer(ecriture);
  }
  static void Fermer(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
};

// Reads both pipes together, so that a child filling one never waits on the other.
void Vider(TTube& sortie, TTube& erreur, TExecution& resultat) {
  pollfd attente[2] = {{sortie.lecture, POLLIN, 0}, {erreur.lecture, POLLIN, 0}};
  std::string* cibles[2] = {&resultat.sortie, &resultat.erreur};
  int ouverts = (sortie.lecture >= 0) + 1;
  while (ouverts > 0) {
    if (::poll(attente, 2, -1) < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error("poll");
    }
    for (int i = 0; i < 2; ++i) {
      if (attente[i].fd < 0 || attente[i].revents == 0) continue;
      char tampon[65536];
      const ssize_t n = ::read(attente[i].fd, tampon, sizeof tampon);
      if (n > 0) {
        cibles[i]->append(tampon, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        attente[i].fd = -1;
        --ouverts;
      }
    }
  }
}

}  // namespace

TExecution Lancer(const TLancement& l) {
  TTube sortie, erreur;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (l.sortie_vers.empty())
    posix_spawn_file_actions_adddup2(&actions, sortie.ecriture, 1);
  else
    posix_spawn_file_actions_addopen(&actions, 1, l.sortie_vers.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, erreur.ecriture, 2);

  std::vector<std::string> env = Environnement_Enfant(l);
  std::vector<char*> argv{const_cast<char*>(l.programme.c_str())}, envp;
  for (const auto& a : l.arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = -1;
  const int echec = ::posix_spawn(&pid, l.programme.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (echec != 0)
    throw std::runtime_error("impossible de lancer " + l.programme + " : " + std::strerror(echec));
  TTube::Fermer(sortie.ecriture);
  TTube::Fermer(erreur.ecriture);
  if (!l.sortie_vers.empty()) TTube::Fermer(sortie.lecture);

  TExecution resultat;
  Vider(sortie, erreur, resultat);
  int statut = 0;
  while (::waitpid(pid, &statut, 0) < 0 && errno == EINTR) {
  }
  resultat.code = WIFEXITED(statut) ? WEXITSTATUS(statut) : 128 + WTERMSIG(statut);
  return resultat;
}

#endif

}  // namespace test
