-- Demo organisation: a metalworking plant with production, administration,
-- warehouse and maintenance. Reference day of the data: 2026-12-10.

-- Installation parameters: password policy off.
INSERT INTO OPARAM (Id, PolitykaHasel) VALUES (1, 0);

-- Users: admin (password Admin123!, all rights) and kierownik
-- (password Kierownik1!, risk, administration and BHP reports, no DOBÓR reports).
INSERT INTO APRAWADOSTEPU (Id, NAZWAUZYTK, IMIE, NAZWISKO, HASLO,
  AZAKL, ACZYN, ACZYNSTAN, ASWIAD, AOCHRONY, APRAWDOPOD, AOSOB, AZAWODY, ACZYNNOSCI, AARCHIWUM,
  AWYPADKI, PSESJA, PCHEM, PPYLY, PBIOL, PHALAS, POSWIETL, PDRGAN, PPROMIEN, PELEKTROM,
  PMIKROKL, PMECH, PWYBPOZ, POBCSTAT, PMONOTYP, PWYSFIZ, POBCPSYCH, PSRODOCHR, PMETPOM, PWYPADCHOR,
  PDODINFOR, PPROFMED, PPROFTECH, PPROFORG, WKARTPOMP, WKARTPOMS, WZESTZBPOM, WKARTABEZP, WZ10, WINNE,
  WSKWPROTPW, WZESTZBWYP, WZESTSTATW, DDOBOR, DWYBOR, DWYDRUK, BADMIN, BSTANOW, BUZYTK, BWYDRUK,
  PPRAD, WWYDRZAL, RDODCZYNCHEM, RKOPDANERYZ, BKOPDANEBHP, AWYDRUK, PUSUNSESJA, RDODLAB, APRZYWROC, ASYNCHO,
  LOBIEG, RWLASNEKRT, RWLASNECZYNN, PWLASNECZYNN, POPER, ABLOKWYPADKI, AOSOBWYSW, RRISKSCORE,
  ZmianaHasla, LCBCLOG, DATALOG, BlokUser)
VALUES (1, 'admin', 'Administrator', 'Systemu',
  '$2b$11$bWLwK2N48Vzf1zT/PfH4p.73D6Ed2vWw5YtAz08cEp3JyYKOVy1jW',
  1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
  1, 1, 1, 1, 1, 1, 1, 1,
  '2026-12-01 09:30:00', 0, '2026-12-09', 0);

INSERT INTO APRAWADOSTEPU (Id, NAZWAUZYTK, IMIE, NAZWISKO, HASLO,
  AZAKL, ACZYN, ACZYNSTAN, ASWIAD, AOCHRONY, APRAWDOPOD, AOSOB, AZAWODY, ACZYNNOSCI, AARCHIWUM,
  AWYPADKI, PSESJA, PCHEM, PPYLY, PBIOL, PHALAS, POSWIETL, PDRGAN, PPROMIEN, PELEKTROM,
  PMIKROKL, PMECH, PWYBPOZ, POBCSTAT, PMONOTYP, PWYSFIZ, POBCPSYCH, PSRODOCHR, PMETPOM, PWYPADCHOR,
  PDODINFOR, PPROFMED, PPROFTECH, PPROFORG, WKARTPOMP, WKARTPOMS, WZESTZBPOM, WKARTABEZP, WZ10, WINNE,
  WSKWPROTPW, WZESTZBWYP, WZESTSTATW, DDOBOR, DWYBOR, DWYDRUK, BADMIN, BSTANOW, BUZYTK, BWYDRUK,
  PPRAD, WWYDRZAL, RDODCZYNCHEM, RKOPDANERYZ, BKOPDANEBHP, AWYDRUK, PUSUNSESJA, RDODLAB, APRZYWROC, ASYNCHO,
  LOBIEG, RWLASNEKRT, RWLASNECZYNN, PWLASNECZYNN, POPER, ABLOKWYPADKI, AOSOBWYSW, RRISKSCORE,
  ZmianaHasla, LCBCLOG, DATALOG, BlokUser)
VALUES (2, 'kierownik', 'Małgorzata', 'Żółkiewska',
  '$2b$11$ZOrc5kCY.Mol6we9bk30GeCnZKLZlzala1toSQW0O4dbBQJBofn6q',
  1, 1, 1, 0, 0, 0, 1, 1, 0, 0,
  0, 1, 0, 1, 0, 1, 1, 0, 0, 0,
  0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  0, 0, 0, 0, 1, 0, 0, 0, 0, 1,
  0, 0, 0, 0, 0, 0, 0, 1, 0, 1,
  0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
  0, 0, 0, 0, 0, 0, 0, 1,
  '2026-11-20 07:45:00', 0, '2026-12-08', 0);

-- ===================================================================
-- Organisational structure
-- ===================================================================

-- Employer
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (1, 0, 0, 0, 'Zakład Produkcji Okuć Budowlanych „Bałtyk” Sp. z o.o.', 'ZPOB „Bałtyk”', 'ZPO', 0, '2005-03-01', NULL);
-- Departments
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (2, 1, 1, 0, 'Pion Produkcji', 'Produkcja', 'ZPO.P', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (3, 1, 1, 0, 'Dział Administracyjno-Kadrowy', 'Administracja', 'ZPO.A', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (4, 1, 1, 0, 'Magazyn Wyrobów Gotowych', 'Magazyn', 'ZPO.M', 0, '2008-01-02', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (5, 1, 1, 0, 'Dział Utrzymania Ruchu', 'Utrzymanie ruchu', 'ZPO.U', 0, '2005-03-01', NULL);
-- Production sections (the assembly section has no workstations yet)
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (6, 2, 2, 0, 'Wydział Obróbki Skrawaniem', 'Obróbka skrawaniem', 'ZPO.P.01', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (7, 2, 2, 0, 'Wydział Lakierni Proszkowej', 'Lakiernia', 'ZPO.P.02', 0, '2010-09-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (8, 2, 2, 0, 'Spawalnia', 'Spawalnia', 'ZPO.P.03', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (9, 2, 2, 0, 'Wydział Montażu Okuć', 'Montaż', 'ZPO.P.04', 0, '2026-01-15', NULL);
-- Workstations of production
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (101, 6, 3, 1, 'Tokarz - operator tokarki CNC', 'Tokarz CNC', 'ZPO.P.01.01', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (102, 6, 3, 1, 'Frezer - operator frezarki CNC', 'Frezer CNC', 'ZPO.P.01.02', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (103, 6, 3, 1, 'Szlifierz narzędzi', 'Szlifierz', 'ZPO.P.01.03', 0, '2007-05-14', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (104, 7, 3, 1, 'Lakiernik proszkowy', 'Lakiernik', 'ZPO.P.02.01', 0, '2010-09-01', NULL);
-- shot blasting is to be closed down at the end of March 2027
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (105, 7, 3, 1, 'Operator śrutownicy', 'Śrutowanie', 'ZPO.P.02.02', 1, '2010-09-01', '2027-03-31');
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (106, 8, 3, 1, 'Spawacz metodą MAG', 'Spawacz MAG', 'ZPO.P.03.01', 0, '2005-03-01', NULL);
-- TIG welding starts in February 2027
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (107, 8, 3, 1, 'Spawacz metodą TIG', 'Spawacz TIG', 'ZPO.P.03.02', 0, '2027-02-01', NULL);
-- Workstations of administration (the secretariat was closed in 2025)
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (108, 3, 2, 1, 'Specjalista ds. kadr i płac', 'Kadry i płace', 'ZPO.A.01', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (109, 3, 2, 1, 'Główna księgowa', 'Księgowość', 'ZPO.A.02', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (110, 3, 2, 1, 'Sekretarka', 'Sekretariat', 'ZPO.A.03', 1, '2005-03-01', '2025-06-30');
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (111, 3, 2, 1, 'Specjalista ds. bezpieczeństwa i higieny pracy', 'Specjalista BHP', 'ZPO.A.04', 0, '2012-02-01', NULL);
-- Workstations of the warehouse
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (112, 4, 2, 1, 'Magazynier', 'Magazynier', 'ZPO.M.01', 0, '2008-01-02', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (113, 4, 2, 1, 'Operator wózka jezdniowego podnośnikowego', 'Operator wózka', 'ZPO.M.02', 0, '2008-01-02', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (114, 4, 2, 1, 'Kierownik magazynu', 'Kierownik magazynu', 'ZPO.M.03', 0, '2008-01-02', NULL);
-- Workstations of maintenance (the toolmaker's workstation ended in 2024)
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (115, 5, 2, 1, 'Elektromonter', 'Elektryk', 'ZPO.U.01', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (116, 5, 2, 1, 'Mechanik maszyn i urządzeń', 'Mechanik', 'ZPO.U.02', 0, '2005-03-01', NULL);
INSERT INTO OStrukt (Id, IdRodzStrukt, NrPoz, TypStrukt, Nazwa, SkrotNazwa, Kod, Usuniety, DataUtw, DataUsun) VALUES (117, 5, 2, 1, 'Ślusarz narzędziowy', 'Ślusarz', 'ZPO.U.03', 1, '2005-03-01', '2024-12-31');

-- ===================================================================
-- Persons
-- ===================================================================

INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1, 'Kowalski', 'Jan', '78041241276');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (2, 'Nowak', 'Anna', '85090383004');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (3, 'Wiśniewski', 'Piotr', '90012768159');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (4, 'Wójcik', 'Małgorzata', '69110874088');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (5, 'Kowalczyk', 'Krzysztof', '82061927014');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (6, 'Kamińska', 'Agnieszka', '88021455601');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (7, 'Lewandowski', 'Tomasz', '75073030193');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (8, 'Zielińska', 'Ewa', '72120554082');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (9, 'Szymański', 'Marek', '93032215395');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (10, 'Woźniak', 'Łukasz', '01250907992');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (11, 'Dąbrowski', 'Grzegorz', '80101750039');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (12, 'Kozłowska', 'Katarzyna', '95080105822');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (13, 'Jankowski', 'Paweł', '98042837636');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (14, 'Mazur', 'Stanisław', '64011169198');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (15, 'Krawczyk', 'Żaneta', '03260639829');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (16, 'Grabowski', 'Józef', '87092313999');

-- ===================================================================
-- Employments (DataZak NULL = current)
-- ===================================================================

INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (1, 1, 101, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (2, 2, 108, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (3, 3, 102, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (4, 4, 109, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (5, 5, 104, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (6, 6, 111, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (7, 7, 106, NULL);
-- still assigned to the closed secretariat
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (8, 8, 110, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (9, 9, 112, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (10, 10, 113, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (11, 11, 115, NULL);
-- the only grinder left in September 2025
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (12, 12, 103, '2025-09-30');
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (13, 13, 105, NULL);
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (14, 14, 117, '2024-12-31');
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (15, 14, 116, NULL);
-- hired for the TIG workstation that starts in 2027
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (16, 16, 107, NULL);
-- acting warehouse manager until October 2026
INSERT INTO OPracow (Id, IdPrac, IdStan, DataZak) VALUES (17, 9, 114, '2026-10-31');

-- ===================================================================
-- Harmful factors
-- ===================================================================

INSERT INTO DCzynn (Id, Nazwa) VALUES (1, 'Hałas');
INSERT INTO DCzynn (Id, Nazwa) VALUES (2, 'Drgania mechaniczne o oddziaływaniu miejscowym');
INSERT INTO DCzynn (Id, Nazwa) VALUES (3, 'Drgania mechaniczne o oddziaływaniu ogólnym');
INSERT INTO DCzynn (Id, Nazwa) VALUES (4, 'Pyły metali i ścierniw');
INSERT INTO DCzynn (Id, Nazwa) VALUES (5, 'Oświetlenie elektryczne');
INSERT INTO DCzynn (Id, Nazwa) VALUES (6, 'Mikroklimat gorący');
INSERT INTO DCzynn (Id, Nazwa) VALUES (7, 'Mikroklimat zimny');
INSERT INTO DCzynn (Id, Nazwa) VALUES (8, 'Substancje chemiczne - farby proszkowe');
INSERT INTO DCzynn (Id, Nazwa) VALUES (9, 'Promieniowanie nadfioletowe');
INSERT INTO DCzynn (Id, Nazwa) VALUES (10, 'Pyły spawalnicze');
INSERT INTO DCzynn (Id, Nazwa) VALUES (11, 'Pole elektromagnetyczne');
INSERT INTO DCzynn (Id, Nazwa) VALUES (12, 'Obciążenie fizyczne - wydatek energetyczny');
INSERT INTO DCzynn (Id, Nazwa) VALUES (13, 'Praca przy monitorze ekranowym');
INSERT INTO DCzynn (Id, Nazwa) VALUES (14, 'Obciążenie psychonerwowe');

-- ===================================================================
-- Measurement surveys and the factors recorded in them
-- ===================================================================

-- CNC lathe: an old survey with an unmeasured factor, superseded by a full one
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (1, 101, '2024-03-12');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (2, 102, '2025-05-20');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (3, 103, '2025-11-04');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (4, 104, '2026-06-15');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (5, 105, '2026-02-02');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (6, 106, '2026-09-01');
-- a survey planned for January 2027
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (7, 106, '2027-01-20');
-- preliminary survey of the TIG workstation, which does not exist yet
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (8, 107, '2026-11-20');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (9, 109, '2023-04-18');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (10, 112, '2026-10-05');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (11, 101, '2026-03-10');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (12, 113, '2026-04-22');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (13, 115, '2025-08-11');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (14, 110, '2022-03-01');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (15, 116, '2026-07-07');
INSERT INTO OSesPom (Id, IdStan, Data) VALUES (16, 108, '2024-10-14');

INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (1, 1, 1, '2024-03-12', '2026-03-12', 18);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (2, 1, 2, NULL, NULL, 12);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (3, 2, 1, '2025-05-20', '2026-12-10', 24);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (4, 2, 4, NULL, NULL, 8);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (5, 2, 5, '2025-06-10', '2027-06-10', 3);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (6, 3, 1, '2025-11-04', '2026-11-04', 20);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (7, 3, 4, '2025-11-04', '2027-05-04', 15);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (8, 3, 2, NULL, NULL, 45);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (9, 4, 8, NULL, NULL, 36);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (10, 4, 1, '2026-06-15', '2027-06-15', 12);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (11, 4, 6, '2026-07-15', '2027-01-15', 10);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (12, 5, 1, '2026-02-02', '2027-02-02', 60);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (13, 5, 4, '2026-02-02', '2027-08-02', 50);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (14, 6, 10, '2026-09-01', '2027-03-01', 32);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (15, 6, 9, NULL, NULL, 20);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (16, 6, 1, '2026-09-01', '2027-09-01', 16);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (17, 7, 10, NULL, NULL, NULL);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (18, 7, 9, NULL, NULL, NULL);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (19, 8, 9, NULL, NULL, 40);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (20, 8, 1, NULL, NULL, 18);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (21, 9, 5, '2023-04-18', '2027-04-18', 2);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (22, 9, 13, '2023-04-18', '2028-04-18', 4);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (23, 10, 12, '2026-10-05', '2027-10-05', 29);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (24, 10, 7, NULL, NULL, 9);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (25, 11, 1, '2026-03-10', '2027-03-10', 18);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (26, 11, 2, '2026-03-10', '2027-09-10', 12);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (27, 11, 5, '2026-03-10', '2028-03-10', 3);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (28, 12, 3, '2026-04-22', '2026-10-22', 14);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (29, 12, 1, '2026-04-22', '2027-04-22', 12);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (30, 13, 11, NULL, NULL, 40);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (31, 13, 5, '2025-08-11', '2026-12-31', 3);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (32, 14, 5, NULL, NULL, 2);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (33, 15, 1, NULL, NULL, 35);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (34, 15, 12, '2026-07-07', '2027-07-07', 16);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (35, 16, 13, '2024-10-14', '2027-10-14', 4);
INSERT INTO PCzynSes (Id, IdSesjaPom, IdCzynn, DataPom, TermNastBad, OcenaKomp) VALUES (36, 16, 14, '2024-10-14', '2026-10-14', 6);

-- Protective equipment recorded for surveys
INSERT INTO OOchSesO (Id, IdSesji) VALUES (1, 4);
INSERT INTO OOchSesO (Id, IdSesji) VALUES (2, 5);
INSERT INTO OOchSesO (Id, IdSesji) VALUES (3, 5);
INSERT INTO OOchSesO (Id, IdSesji) VALUES (4, 13);
INSERT INTO OOchSesO (Id, IdSesji) VALUES (5, 11);

-- Organisational prevention recorded for surveys
INSERT INTO OProfOrg (Id, IdSesja) VALUES (1, 5);
INSERT INTO OProfOrg (Id, IdSesja) VALUES (2, 6);
INSERT INTO OProfOrg (Id, IdSesja) VALUES (3, 13);
INSERT INTO OProfOrg (Id, IdSesja) VALUES (4, 9);
INSERT INTO OProfOrg (Id, IdSesja) VALUES (5, 11);

-- ===================================================================
-- Selection of personal protective equipment (DOBÓR)
-- ===================================================================

-- final selections
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (1, 101);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (2, 101);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (3, 102);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (4, 104);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (5, 105);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (6, 106);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (7, 107);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (8, 112);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (9, 113);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (10, 115);
INSERT INTO BDDoborOstateczny (Id, IdStanow) VALUES (11, 116);

-- choices made
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (1, 101);
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (2, 104);
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (3, 104);
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (4, 105);
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (5, 106);
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (6, 113);
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (7, 115);
INSERT INTO BDWyborOchr (Id, IdStanow) VALUES (8, 116);

-- ===================================================================
-- Safety items (BHP)
-- ===================================================================

-- groups: folders (kind 0) and groups of items (kind 1)
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (1, 0, 'Środki ochrony indywidualnej', 0, 0);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (2, 1, 'Ochrona rąk', 0, 0);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (3, 2, 'Rękawice antyprzecięciowe', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (4, 2, 'Rękawice spawalnicze', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (5, 1, 'Ochrona oczu i twarzy', 0, 0);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (6, 5, 'Okulary ochronne', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (7, 5, 'Przyłbica spawalnicza', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (8, 1, 'Ochronniki słuchu', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (9, 1, 'Półmaski filtrujące FFP2', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (10, 0, 'Odzież i obuwie robocze', 0, 0);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (11, 10, 'Ubranie robocze', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (12, 10, 'Obuwie ochronne S3', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (13, 0, 'Sprzęt przeciwpożarowy', 0, 0);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (14, 13, 'Gaśnice proszkowe GP-6', 1, 1);
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (15, 0, 'Apteczki pierwszej pomocy', 1, 1);
-- issued once, not periodic
INSERT INTO BHPGrupy (Id, IdRodzStrukt, Nazwa, TypStrukt, Okresowe) VALUES (16, 1, 'Kask ochronny', 1, 0);

-- items at workstations (IdPrac 0) and of persons, with their entries
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (1, 101, 0, 14, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (1, 1, '2025-11-30');
-- work shoes renewed after they expired
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (2, 101, 1, 12, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (2, 2, '2025-06-01');
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (3, 2, '2027-06-01');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (3, 104, 0, 9, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (4, 3, '2026-12-09');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (4, 104, 5, 11, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (5, 4, '2026-08-31');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (5, 106, 0, 7, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (6, 5, '2027-05-31');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (6, 106, 7, 4, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (7, 6, '2026-10-15');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (7, 113, 0, 14, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (8, 7, '2026-12-10');
-- removed item
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (8, 113, 10, 12, '2026-05-31');
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (9, 8, '2026-03-31');
-- first-aid kit without a valid-until date
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (9, 115, 0, 15, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (10, 9, NULL);
-- entry with the empty date
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (10, 115, 11, 6, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (11, 10, '1899-12-30');
-- first-aid kit to be withdrawn in January 2027
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (11, 112, 0, 15, '2027-01-31');
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (12, 11, NULL);
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (12, 102, 3, 8, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (13, 12, '2027-02-28');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (13, 102, 0, 16, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (14, 13, NULL);
-- item of the closed secretariat
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (14, 110, 0, 14, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (15, 14, '2024-01-31');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (15, 111, 6, 11, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (16, 15, NULL);
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (16, 116, 14, 3, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (17, 16, '2026-11-30');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (17, 105, 13, 9, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (18, 17, '2027-01-31');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (18, 106, 0, 6, '2026-09-30');
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (19, 18, '2026-09-30');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (19, 108, 0, 15, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (20, 19, '2027-08-31');
INSERT INTO BHPDane (Id, IdStan, IdPrac, IdBHP, DataUsun) VALUES (20, 112, 9, 12, NULL);
INSERT INTO BHPDane_Sz (Id, IdBHPDane, DataWaz) VALUES (21, 20, '2027-04-30');

-- Candidates and former employees kept in the register without any current employment:
-- enough of them that the list of persons employed nowhere runs over several pages.
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1000, 'Włodarczyk', 'Tomasz', '85110207491');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1001, 'Stępień', 'Agnieszka', '97011721907');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1002, 'Olszewski', 'Marek', '86020809292');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1003, 'Adamska', 'Anna', '96020864584');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1004, 'Jabłoński', 'Stanisław', '97070299939');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1005, 'Król', 'Żaneta', '68051414788');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1006, 'Adamczyk', 'Stanisław', '79092769832');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1007, 'Malinowska', 'Ewa', '96110738102');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1008, 'Wróbel', 'Stanisław', '63100750897');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1009, 'Adamska', 'Agnieszka', '89101537046');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1010, 'Zalewski', 'Tomasz', '75021930797');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1011, 'Kołodziej', 'Agnieszka', '88052007404');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1012, 'Krajewski', 'Marek', '70060595570');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1013, 'Wysocka', 'Anna', '02222557182');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1014, 'Chmielewski', 'Paweł', '82101659370');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1015, 'Wróbel', 'Maria', '77082368005');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1016, 'Jabłoński', 'Wojciech', '79111969771');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1017, 'Zawadzka', 'Halina', '84111202368');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1018, 'Sokołowski', 'Tomasz', '99021606034');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1019, 'Zawadzka', 'Zofia', '75071393869');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1020, 'Majewski', 'Tomasz', '88071828431');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1021, 'Kaźmierczak', 'Żaneta', '77121436764');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1022, 'Pietrzak', 'Tomasz', '65030523730');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1023, 'Łukasiewicz', 'Łucja', '97030928802');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1024, 'Pawłowski', 'Marek', '94062057951');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1025, 'Dudek', 'Halina', '92102169208');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1026, 'Czerwiński', 'Grzegorz', '95071340876');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1027, 'Malinowska', 'Łucja', '00270219504');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1028, 'Szewczyk', 'Zbigniew', '70021161512');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1029, 'Malinowska', 'Anna', '96031810349');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1030, 'Pawlak', 'Piotr', '73101315258');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1031, 'Sawicka', 'Ewa', '83080411867');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1032, 'Andrzejewski', 'Zbigniew', '90050314714');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1033, 'Czarnecka', 'Halina', '76082770827');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1034, 'Gajewski', 'Jan', '73091215097');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1035, 'Pawlak', 'Żaneta', '79112809348');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1036, 'Gajewski', 'Paweł', '70062522895');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1037, 'Baranowska', 'Żaneta', '81110862726');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1038, 'Duda', 'Marek', '74041750459');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1039, 'Pawlak', 'Anna', '77080919883');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1040, 'Sawicki', 'Zbigniew', '82060322513');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1041, 'Pietrzak', 'Łucja', '72060749485');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1042, 'Zając', 'Zbigniew', '01262665811');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1043, 'Adamczyk', 'Jadwiga', '72080644447');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1044, 'Olszewski', 'Wojciech', '85081376118');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1045, 'Witkowska', 'Zofia', '68010560462');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1046, 'Pawłowski', 'Stanisław', '98082295955');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1047, 'Górska', 'Żaneta', '95030101403');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1048, 'Szymczak', 'Wojciech', '68072819935');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1049, 'Pawlak', 'Elżbieta', '73051724687');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1050, 'Włodarczyk', 'Michał', '94072713412');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1051, 'Sokołowska', 'Łucja', '02302792580');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1052, 'Wysocki', 'Józef', '68090553699');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1053, 'Grabowska', 'Łucja', '71100179420');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1054, 'Sikora', 'Tomasz', '90102412395');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1055, 'Jabłońska', 'Agnieszka', '03291756869');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1056, 'Malinowski', 'Józef', '63040728316');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1057, 'Stępień', 'Żaneta', '88090177804');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1058, 'Wasilewski', 'Paweł', '99092052435');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1059, 'Bąk', 'Łucja', '92092648981');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1060, 'Zalewski', 'Wojciech', '93051891437');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1061, 'Sobczak', 'Zofia', '86021345249');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1062, 'Nowakowski', 'Grzegorz', '75070321751');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1063, 'Adamczyk', 'Zofia', '01311214649');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1064, 'Nowicki', 'Zbigniew', '74120440778');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1065, 'Witkowska', 'Barbara', '74032344184');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1066, 'Kalinowski', 'Paweł', '86041232613');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1067, 'Urbańska', 'Anna', '81091545108');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1068, 'Szczepański', 'Paweł', '93101052414');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1069, 'Jaworska', 'Małgorzata', '66020927806');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1070, 'Baran', 'Michał', '68072893353');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1071, 'Kalinowska', 'Zofia', '94091950647');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1072, 'Olszewski', 'Michał', '63120643519');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1073, 'Marciniak', 'Anna', '00222626604');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1074, 'Tomaszewski', 'Piotr', '76021501156');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1075, 'Wysocka', 'Elżbieta', '99030253924');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1076, 'Jaworski', 'Tomasz', '76010620653');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1077, 'Wilk', 'Żaneta', '73051551221');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1078, 'Marciniak', 'Paweł', '61050201513');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1079, 'Sikorska', 'Żaneta', '72091625169');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1080, 'Malinowski', 'Grzegorz', '01272250694');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1081, 'Kucharska', 'Żaneta', '79120723542');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1082, 'Michalak', 'Wojciech', '00231335515');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1083, 'Dudek', 'Anna', '64112490047');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1084, 'Kaźmierczak', 'Tomasz', '63022286177');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1085, 'Sikorska', 'Barbara', '78100870948');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1086, 'Król', 'Zbigniew', '71030945614');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1087, 'Jasińska', 'Agnieszka', '81091125005');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1088, 'Wilk', 'Łukasz', '82030134375');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1089, 'Majewska', 'Łucja', '77092120521');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1090, 'Sikorski', 'Jan', '65052709130');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1091, 'Kalinowska', 'Ewa', '62070130643');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1092, 'Pietrzak', 'Piotr', '97092876833');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1093, 'Szczepańska', 'Agnieszka', '91031074180');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1094, 'Pawłowski', 'Jan', '92111475194');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1095, 'Nowicka', 'Żaneta', '92102783200');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1096, 'Pietrzak', 'Piotr', '61010565253');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1097, 'Malinowska', 'Jadwiga', '88090264201');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1098, 'Szulc', 'Grzegorz', '75080900375');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1099, 'Wróbel', 'Halina', '92090367581');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1100, 'Wróbel', 'Wojciech', '90052607652');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1101, 'Duda', 'Halina', '73042466565');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1102, 'Kołodziej', 'Marek', '64082229410');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1103, 'Michalak', 'Maria', '98031126046');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1104, 'Nowicki', 'Jan', '90011627518');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1105, 'Ostrowska', 'Barbara', '91052352849');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1106, 'Andrzejewski', 'Zbigniew', '89021820459');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1107, 'Majewska', 'Łucja', '61051507885');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1108, 'Sobczak', 'Michał', '84040707697');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1109, 'Olszewska', 'Zofia', '93051213587');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1110, 'Krajewski', 'Michał', '67121223673');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1111, 'Zakrzewska', 'Jadwiga', '61030197265');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1112, 'Sobczak', 'Marek', '79120542659');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1113, 'Maciejewska', 'Agnieszka', '67060133244');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1114, 'Kucharski', 'Piotr', '72120192350');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1115, 'Wróblewska', 'Agnieszka', '64071389088');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1116, 'Nowakowski', 'Paweł', '87052804950');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1117, 'Malinowska', 'Anna', '02252195828');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1118, 'Zalewski', 'Michał', '87091119459');
INSERT INTO ODanOs (IdOsoby, Nazwisko, Imie, Pesel) VALUES (1119, 'Adamska', 'Anna', '00271856221');
