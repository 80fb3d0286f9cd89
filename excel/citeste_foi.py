# Reads a workbook through LibreOffice Calc for Tessaluna: starts a private, headless Calc on a pipe, loads
# the file hidden and read-only, and writes into the output folder
#   foi.json            the sheet names, in the workbook's order
#   <N>/foaie-*.csv     sheet N (1-based) as Calc shows it: UTF-8, comma, every text in quotes
# On failure it prints one line "MOTIV: <reason>" on stderr and exits with
#   2  the file cannot be read, 3  the Python bridge to LibreOffice is missing, 4  Calc does not start.
# Usage: python3 citeste_foi.py SOFFICE PROFILE_URL INPUT_FILE OUTPUT_DIR SECONDS PIPE_NAME
import json
import os
import shutil
import signal
import subprocess
import sys
import threading
import time
import xml.parsers.expat
import zipfile
import zlib

# Unpacked size beyond which a zipped workbook is refused before Calc sees it; a class list is a few MB.
MAX_DESPACHETAT = 256 * 1024 * 1024
MAX_PARTI = 5000
MAX_CSV = 64 * 1024 * 1024
# Columns A..ZZ and rows 1..65536 are all the import ever looks at.
MAX_COLOANE = 702
MAX_RANDURI = 65536


def esec(cod, motiv, detalii=""):
    sys.stderr.write("MOTIV: " + " ".join(motiv.split()) + "\n")
    # The technical words of the cause (Python's, Calc's), which the program shows only under "Detalii".
    if detalii:
        sys.stderr.write("DETALII: " + " ".join(str(detalii).split()) + "\n")
    sys.stderr.flush()
    # Calc is left as it is: the caller ends the whole process group after us.
    iesi(cod)


def iesi(cod):
    # The interpreter's own teardown with the UNO bridge still loaded can crash: skip it.
    sys.stdout.flush()
    sys.stderr.flush()
    os._exit(cod)


def paznic_parinte(parinte):
    # The program that started us went away: nothing may outlive it.
    while True:
        time.sleep(0.5)
        if os.getppid() != parinte:
            os.killpg(0, signal.SIGKILL)


class DeclaratieDtd(Exception):
    pass


def refuza_dtd(*argumente):
    raise DeclaratieDtd()


def verifica_parola_si_macrocomenzi(z, parti):
    """An OpenDocument sheet saved with a password (its parts are encrypted, which Calc opening it hidden can
    only report as damage), or one that holds macros, which the program does not open."""
    nume = [p.filename for p in parti]
    if "META-INF/manifest.xml" in nume:
        with z.open("META-INF/manifest.xml") as f:
            if b"encryption-data" in f.read(MAX_DESPACHETAT):
                esec(2, "este protejat cu o parola. Deschideti-l in Calc, salvati-l fara parola "
                        "(Fisier > Proprietati > Securitate) si alegeti copia fara parola")
    biblioteci = ("script-lc.xml", "script-lb.xml", "dialog-lc.xml", "dialog-lb.xml")
    if any((n.startswith("Basic/") and not n.endswith(biblioteci) and not n.endswith("/"))
           or (n.startswith("Scripts/") and not n.endswith("/")) for n in nume):
        esec(2, "contine macrocomenzi, iar programul nu deschide fisiere cu macrocomenzi. Salvati foaia "
                "intr-un fisier nou fara macrocomenzi (de exemplu .xlsx) si alegeti-l pe acela")


def verifica_ole_criptat(cale):
    """A workbook of Excel 2007 or later saved with a password is a compound file holding an EncryptedPackage."""
    try:
        with open(cale, "rb") as f:
            inceput = f.read(8)
            if inceput != b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1":
                return
            continut = f.read(64 << 20)
    except OSError:
        return
    if "EncryptedPackage".encode("utf-16-le") in continut:
        esec(2, "este protejat cu o parola. Deschideti-l in Excel sau Calc, salvati-l fara parola si alegeti "
                "copia fara parola")


def verifica_arhiva(cale):
    """A zipped workbook (.xlsx, .ods) whose XML parts are all whole and well formed, without any DTD, and
    that unpacks to a reasonable size. Calc itself loads a part it cannot parse as an empty or partial
    sheet and reports success, so this is decided before Calc sees the file."""
    if not zipfile.is_zipfile(cale):
        return
    try:
        with zipfile.ZipFile(cale) as z:
            parti = z.infolist()
            verifica_parola_si_macrocomenzi(z, parti)
            if len(parti) > MAX_PARTI:
                esec(2, "arhiva are %d parti, prea multe pentru o foaie de calcul" % len(parti))
            if sum(p.file_size for p in parti) > MAX_DESPACHETAT:
                esec(2, "s-ar despacheta la peste %d MB, prea mult pentru o foaie de calcul" % (MAX_DESPACHETAT >> 20))
            ramas = MAX_DESPACHETAT
            for p in parti:
                if not p.filename.lower().endswith((".xml", ".rels")):
                    continue
                analizor = xml.parsers.expat.ParserCreate()
                analizor.StartDoctypeDeclHandler = refuza_dtd
                analizor.EntityDeclHandler = refuza_dtd
                try:
                    with z.open(p) as f:
                        while True:
                            bucata = f.read(1 << 20)
                            if not bucata:
                                break
                            # The sizes in the archive's directory may lie; what comes out counts.
                            ramas -= len(bucata)
                            if ramas < 0:
                                esec(2, "s-ar despacheta la peste %d MB, prea mult pentru o foaie de calcul"
                                     % (MAX_DESPACHETAT >> 20))
                            analizor.Parse(bucata, False)
                    analizor.Parse(b"", True)
                except DeclaratieDtd:
                    esec(2, "partea %s contine declaratii DTD, pe care o foaie de calcul nu le are" % p.filename)
                except xml.parsers.expat.ExpatError as e:
                    esec(2, "partea %s este deteriorata" % p.filename, e)
    except (zipfile.BadZipFile, zipfile.LargeZipFile, OSError, EOFError, NotImplementedError, zlib.error) as e:
        esec(2, "arhiva este deteriorata", e)


def pregateste_csv(cale, dosar):
    """A UTF-8 copy of the CSV file under the same name (Calc names the sheet after it), and the filter
    options that read it as written: every column as text, its own separator."""
    if os.path.getsize(cale) > MAX_CSV:
        esec(2, "are %d MB, prea mult pentru o lista de elevi" % (os.path.getsize(cale) >> 20))
    with open(cale, "rb") as f:
        date = f.read()
    try:
        text = date.decode("utf-8")
    except UnicodeDecodeError:
        try:
            text = date.decode("cp1250")
        except UnicodeDecodeError:
            esec(2, "nu este scris nici in UTF-8, nici in codul de pagina 1250")
    if text.startswith("\ufeff"):
        text = text[1:]
    virgule = punctevirgula = 0
    in_ghilimele = False
    for c in text[:65536]:
        if c == '"':
            in_ghilimele = not in_ghilimele
        elif not in_ghilimele:
            if c == ",":
                virgule += 1
            elif c == ";":
                punctevirgula += 1
            elif c == "\n" and (virgule or punctevirgula):
                break
    separator = "59" if punctevirgula > virgule else "44"
    os.mkdir(dosar)
    copie = os.path.join(dosar, os.path.basename(cale))
    with open(copie, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    formate = "/".join("%d/2" % i for i in range(1, MAX_COLOANE + 1))
    return copie, "%s,34,76,1,%s,1048,true,false,false,false,false" % (separator, formate)


def ultimul_rand_cu_valori(foaie, capat):
    """The 1-based last row below MAX_RANDURI that holds a value, or 0: formatting alone does not count."""
    # VALUE | DATETIME | STRING | FORMULA
    zona = foaie.getCellRangeByPosition(0, MAX_RANDURI, min(capat.EndColumn, MAX_COLOANE - 1), capat.EndRow)
    ultimul = 0
    for adresa in zona.queryContentCells(1 | 2 | 4 | 16).getRangeAddresses():
        ultimul = max(ultimul, adresa.EndRow + 1)
    return ultimul


def taie_la_limite(foaie, dosar):
    """Drops what lies beyond column ZZ and row 65536, so a stray far cell cannot blow up the export; the last
    row holding a value beyond them is written to ultimul_rand.txt."""
    cursor = foaie.createCursor()
    cursor.gotoEndOfUsedArea(False)
    capat = cursor.getRangeAddress()
    if capat.EndColumn < MAX_COLOANE and capat.EndRow < MAX_RANDURI:
        return
    if capat.EndRow >= MAX_RANDURI:
        ultimul = ultimul_rand_cu_valori(foaie, capat)
        if ultimul:
            with open(os.path.join(dosar, "ultimul_rand.txt"), "w") as f:
                f.write("%d\n" % ultimul)
    # A protected sheet refuses the change; most are protected without a password.
    if foaie.isProtected():
        try:
            foaie.unprotect("")
        except Exception:
            esec(2, "foaia %s este protejata cu parola si are celule dincolo de coloana ZZ sau de randul %d"
                 % (foaie.Name, MAX_RANDURI))
    if capat.EndColumn >= MAX_COLOANE:
        foaie.Columns.removeByIndex(MAX_COLOANE, capat.EndColumn - MAX_COLOANE + 1)
    if capat.EndRow >= MAX_RANDURI:
        foaie.Rows.removeByIndex(MAX_RANDURI, capat.EndRow - MAX_RANDURI + 1)


def programe_libreoffice(soffice):
    # The programs LibreOffice's start script runs, beside the script itself once links are followed.
    dosar = os.path.dirname(os.path.realpath(shutil.which(soffice) or soffice))
    return all(os.access(os.path.join(dosar, p), os.X_OK) for p in ("oosplash", "soffice.bin"))


def main():
    if len(sys.argv) != 7:
        esec(2, "apel gresit al cititorului")
    soffice, profil, fisier, iesire, secunde, teava = sys.argv[1:]
    termen = time.monotonic() + float(secunde)
    threading.Thread(target=paznic_parinte, args=(os.getppid(),), daemon=True).start()

    try:
        import uno
        from com.sun.star.beans import PropertyValue
        from com.sun.star.connection import NoConnectException
    except ImportError:
        esec(3, "lipseste legatura Python cu LibreOffice")

    # The UNO libraries may set signals back to their defaults: a Calc that goes away under the bridge must
    # surface as an error here, not kill the reader.
    signal.signal(signal.SIGPIPE, signal.SIG_IGN)
    verifica_arhiva(fisier)
    verifica_ole_criptat(fisier)
    este_csv = fisier.lower().endswith(".csv")
    if este_csv:
        fisier, optiuni = pregateste_csv(fisier, os.path.join(iesire, "csv"))

    try:
        calc = subprocess.Popen(
            [soffice, "-env:UserInstallation=" + profil, "--headless", "--invisible",
             "--norestore", "--nologo", "--nodefault", "--nolockcheck", "--accept=pipe,name=%s;urp;" % teava],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except OSError as e:
        esec(4, "LibreOffice nu porneste", e.strerror)

    local = uno.getComponentContext()
    rezolvitor = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    context = None
    while context is None:
        try:
            context = rezolvitor.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % teava)
        except NoConnectException:
            if calc.poll() is not None:
                # 126 and 127: the shell that starts LibreOffice could not run a program. Under the memory
                # limit that happens too; a program really missing beside the start script is a package.
                if calc.returncode in (126, 127) and not programe_libreoffice(soffice):
                    esec(4, "LibreOffice nu porneste: lipseste un program al sau (cod %d)" % calc.returncode)
                # Installed but stopped: a limit, most often memory, not a missing package.
                esec(2, "LibreOffice s-a oprit la pornire (cod %d), poate din lipsa de memorie" % calc.returncode)
            if time.monotonic() > termen:
                esec(2, "LibreOffice nu a raspuns in timpul dat")
            time.sleep(0.1)

    def prop(nume, valoare):
        p = PropertyValue()
        p.Name = nume
        p.Value = valoare
        return p

    # LibreOffice without its spreadsheet module opens a workbook as something else, or not at all.
    if "com.sun.star.sheet.SpreadsheetDocument" not in context.ServiceManager.getAvailableServiceNames():
        esec(4, "LibreOffice nu are modulul Calc")
    birou = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    # Never run a macro, never refresh links to other files or to the network.
    argumente = [prop("Hidden", True), prop("ReadOnly", True), prop("MacroExecutionMode", 0),
                 prop("UpdateDocMode", 0), prop("Silent", True)]
    if este_csv:
        argumente += [prop("FilterName", "Text - txt - csv (StarCalc)"), prop("FilterOptions", optiuni)]
    def fara_modul_calc():
        # LibreOffice without Calc's package still lists Calc's services; only a new, empty sheet tells
        # whether the module loads.
        try:
            gol = birou.loadComponentFromURL("private:factory/scalc", "_blank", 0, (prop("Hidden", True),))
        except Exception:
            return True
        if gol is None:
            return True
        try:
            gol.close(True)
        except Exception:
            pass
        return False

    try:
        doc = birou.loadComponentFromURL(uno.systemPathToFileUrl(os.path.abspath(fisier)), "_blank", 0,
                                         tuple(argumente))
    except Exception as e:
        if fara_modul_calc():
            esec(4, "LibreOffice nu are modulul Calc")
        esec(2, "Calc nu il poate deschide", getattr(e, "Message", "") or type(e).__name__)
    if doc is None:
        if fara_modul_calc():
            esec(4, "LibreOffice nu are modulul Calc")
        esec(2, "Calc nu il poate deschide")
    if not doc.supportsService("com.sun.star.sheet.SpreadsheetDocument"):
        esec(2, "nu este o foaie de calcul")
    filtru = ""
    for a in doc.getArgs():
        if a.Name == "FilterName":
            filtru = a.Value
    if not este_csv and filtru.startswith("Text"):
        esec(2, "nu este o foaie de calcul, ci text")

    nume = list(doc.Sheets.ElementNames)
    for i in range(len(nume)):
        # Calc adds the sheet's name to the file name it is given: one folder per sheet keeps them apart.
        dosar = os.path.join(iesire, "%d" % (i + 1))
        os.mkdir(dosar)
        taie_la_limite(doc.Sheets.getByIndex(i), dosar)
        tinta = os.path.join(dosar, "foaie.csv")
        doc.storeToURL(uno.systemPathToFileUrl(tinta),
                       (prop("FilterName", "Text - txt - csv (StarCalc)"),
                        prop("FilterOptions", "44,34,76,1,,1048,true,true,true,false,false,%d" % (i + 1))))
    # Written last and renamed into place: its presence says every sheet was written.
    with open(os.path.join(iesire, "foi.json.part"), "w", encoding="utf-8") as f:
        json.dump(nume, f, ensure_ascii=False)
    os.rename(os.path.join(iesire, "foi.json.part"), os.path.join(iesire, "foi.json"))
    # Calc is not asked to close: its profile is thrown away, and the caller ends the whole process group
    # as soon as we are done, which is far quicker than Calc's own shutdown.
    iesi(0)


if __name__ == "__main__":
    try:
        main()
    except SystemExit:
        raise
    except BaseException as e:
        # Calc went away under the bridge (a crash, an exhausted limit) or answered nonsense.
        esec(2, "LibreOffice Calc s-a oprit in timpul citirii", type(e).__name__)
