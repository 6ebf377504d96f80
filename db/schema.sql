-- Schema of the BHP suite tables read and written by kolmasyst and kolmrap.
-- The database is created with DEFAULT CHARACTER SET WIN1250 beforehand.
-- Names of persons, structure nodes, factors and item groups use the Polish
-- collation PXW_PLK, so that lists print in Polish alphabetical order.

-- ===================================================================
-- Users and access rights
-- ===================================================================

-- APRAWADOSTEPU: the suite's users - login name (lower case), bcrypt
-- password hash, login bookkeeping and the integer rights consulted by the
-- suite's modules (a right is held when its value is not 0).
CREATE TABLE APRAWADOSTEPU (
  ID            INTEGER NOT NULL,
  NAZWAUZYTK    VARCHAR(16) NOT NULL,
  IMIE          VARCHAR(40) COLLATE PXW_PLK,
  NAZWISKO      VARCHAR(60) COLLATE PXW_PLK,
  HASLO         VARCHAR(128),
  AZAKL         INTEGER DEFAULT 0,
  ACZYN         INTEGER DEFAULT 0,
  ACZYNSTAN     INTEGER DEFAULT 0,
  ASWIAD        INTEGER DEFAULT 0,
  AOCHRONY      INTEGER DEFAULT 0,
  APRAWDOPOD    INTEGER DEFAULT 0,
  AOSOB         INTEGER DEFAULT 0,
  AZAWODY       INTEGER DEFAULT 0,
  ACZYNNOSCI    INTEGER DEFAULT 0,
  AARCHIWUM     INTEGER DEFAULT 0,
  AWYPADKI      INTEGER DEFAULT 0,
  PSESJA        INTEGER DEFAULT 0,
  PCHEM         INTEGER DEFAULT 0,
  PPYLY         INTEGER DEFAULT 0,
  PBIOL         INTEGER DEFAULT 0,
  PHALAS        INTEGER DEFAULT 0,
  POSWIETL      INTEGER DEFAULT 0,
  PDRGAN        INTEGER DEFAULT 0,
  PPROMIEN      INTEGER DEFAULT 0,
  PELEKTROM     INTEGER DEFAULT 0,
  PMIKROKL      INTEGER DEFAULT 0,
  PMECH         INTEGER DEFAULT 0,
  PWYBPOZ       INTEGER DEFAULT 0,
  POBCSTAT      INTEGER DEFAULT 0,
  PMONOTYP      INTEGER DEFAULT 0,
  PWYSFIZ       INTEGER DEFAULT 0,
  POBCPSYCH     INTEGER DEFAULT 0,
  PSRODOCHR     INTEGER DEFAULT 0,
  PMETPOM       INTEGER DEFAULT 0,
  PWYPADCHOR    INTEGER DEFAULT 0,
  PDODINFOR     INTEGER DEFAULT 0,
  PPROFMED      INTEGER DEFAULT 0,
  PPROFTECH     INTEGER DEFAULT 0,
  PPROFORG      INTEGER DEFAULT 0,
  WKARTPOMP     INTEGER DEFAULT 0,
  WKARTPOMS     INTEGER DEFAULT 0,
  WZESTZBPOM    INTEGER DEFAULT 0,
  WKARTABEZP    INTEGER DEFAULT 0,
  WZ10          INTEGER DEFAULT 0,
  WINNE         INTEGER DEFAULT 0,
  WSKWPROTPW    INTEGER DEFAULT 0,
  WZESTZBWYP    INTEGER DEFAULT 0,
  WZESTSTATW    INTEGER DEFAULT 0,
  DDOBOR        INTEGER DEFAULT 0,
  DWYBOR        INTEGER DEFAULT 0,
  DWYDRUK       INTEGER DEFAULT 0,
  BADMIN        INTEGER DEFAULT 0,
  BSTANOW       INTEGER DEFAULT 0,
  BUZYTK        INTEGER DEFAULT 0,
  BWYDRUK       INTEGER DEFAULT 0,
  PPRAD         INTEGER DEFAULT 0,
  WWYDRZAL      INTEGER DEFAULT 0,
  RDODCZYNCHEM  INTEGER DEFAULT 0,
  RKOPDANERYZ   INTEGER DEFAULT 0,
  BKOPDANEBHP   INTEGER DEFAULT 0,
  AWYDRUK       INTEGER DEFAULT 0,
  PUSUNSESJA    INTEGER DEFAULT 0,
  RDODLAB       INTEGER DEFAULT 0,
  APRZYWROC     INTEGER DEFAULT 0,
  ASYNCHO       INTEGER DEFAULT 0,
  LOBIEG        INTEGER DEFAULT 0,
  RWLASNEKRT    INTEGER DEFAULT 0,
  RWLASNECZYNN  INTEGER DEFAULT 0,
  PWLASNECZYNN  INTEGER DEFAULT 0,
  POPER         INTEGER DEFAULT 0,
  ABLOKWYPADKI  INTEGER DEFAULT 0,
  AOSOBWYSW     INTEGER DEFAULT 0,
  RRISKSCORE    INTEGER DEFAULT 0,
-- moment of the last password change by the user, NULL = set by the administrator
  ZMIANAHASLA   TIMESTAMP,
-- consecutive failed logins
  LCBCLOG       SMALLINT DEFAULT 0,
-- date of the last successful login
  DATALOG       DATE,
-- 0 = account usable, 1 = account blocked
  BLOKUSER      SMALLINT DEFAULT 0,
  CONSTRAINT PK_APRAWADOSTEPU PRIMARY KEY (ID)
);
CREATE UNIQUE INDEX UX_APRAWADOSTEPU_NAZWAUZYTK ON APRAWADOSTEPU (NAZWAUZYTK);

-- OPARAM: parameters of the installation, a single row. PolitykaHasel = 1
-- switches the password policy on, any other value leaves it off.
CREATE TABLE OPARAM (
  ID             INTEGER NOT NULL,
  POLITYKAHASEL  SMALLINT DEFAULT 0,
  CONSTRAINT PK_OPARAM PRIMARY KEY (ID)
);

-- ===================================================================
-- Organisational structure, persons and employments
-- ===================================================================

-- OStrukt: nodes of the organisational structure (employer, departments,
-- sections, workstations). IdRodzStrukt = parent node (0 = top level),
-- NrPoz = level (0 = top), TypStrukt = kind of node (1 = workstation,
-- 0 = organisational unit), Usuniety = 1 when the node is removed as of
-- DataUsun, DataUtw = date the node was created.
CREATE TABLE OSTRUKT (
  ID            INTEGER NOT NULL,
  IDRODZSTRUKT  INTEGER DEFAULT 0 NOT NULL,
  NRPOZ         INTEGER DEFAULT 0 NOT NULL,
  TYPSTRUKT     INTEGER DEFAULT 0 NOT NULL,
  NAZWA         VARCHAR(200) COLLATE PXW_PLK,
  SKROTNAZWA    VARCHAR(80) COLLATE PXW_PLK,
  KOD           VARCHAR(20),
  USUNIETY      SMALLINT DEFAULT 0 NOT NULL,
  DATAUTW       DATE,
  DATAUSUN      DATE,
  CONSTRAINT PK_OSTRUKT PRIMARY KEY (ID)
);
CREATE INDEX IX_OSTRUKT_IDRODZSTRUKT ON OSTRUKT (IDRODZSTRUKT);
CREATE INDEX IX_OSTRUKT_NRPOZ ON OSTRUKT (NRPOZ);
CREATE INDEX IX_OSTRUKT_DATAUTW ON OSTRUKT (DATAUTW);
CREATE INDEX IX_OSTRUKT_DATAUSUN ON OSTRUKT (DATAUSUN);
CREATE INDEX IX_OSTRUKT_KOD ON OSTRUKT (KOD);

-- ODanOs: persons (employees, former employees and candidates).
CREATE TABLE ODANOS (
  IDOSOBY   INTEGER NOT NULL,
  NAZWISKO  VARCHAR(60) COLLATE PXW_PLK,
  IMIE      VARCHAR(40) COLLATE PXW_PLK,
  PESEL     VARCHAR(11),
  CONSTRAINT PK_ODANOS PRIMARY KEY (IDOSOBY)
);
CREATE INDEX IX_ODANOS_NAZWISKO ON ODANOS (NAZWISKO);

-- OPracow: employments - person (IdPrac -> ODanOs.IdOsoby) at a workstation
-- (IdStan -> OStrukt.Id), DataZak = end of the employment (NULL = current).
CREATE TABLE OPRACOW (
  ID       INTEGER NOT NULL,
  IDPRAC   INTEGER NOT NULL,
  IDSTAN   INTEGER NOT NULL,
  DATAZAK  DATE,
  CONSTRAINT PK_OPRACOW PRIMARY KEY (ID)
);
CREATE INDEX IX_OPRACOW_IDPRAC ON OPRACOW (IDPRAC);
CREATE INDEX IX_OPRACOW_IDSTAN ON OPRACOW (IDSTAN);
CREATE INDEX IX_OPRACOW_DATAZAK ON OPRACOW (DATAZAK);

-- ===================================================================
-- Occupational risk: harmful factors measured in workstation surveys
-- ===================================================================

-- DCzynn: dictionary of harmful factors.
CREATE TABLE DCZYNN (
  ID     INTEGER NOT NULL,
  NAZWA  VARCHAR(200) COLLATE PXW_PLK,
  CONSTRAINT PK_DCZYNN PRIMARY KEY (ID)
);

-- OSesPom: measurement surveys of a workstation (IdStan -> OStrukt.Id)
-- with the survey date.
CREATE TABLE OSESPOM (
  ID      INTEGER NOT NULL,
  IDSTAN  INTEGER NOT NULL,
  DATA    DATE,
  CONSTRAINT PK_OSESPOM PRIMARY KEY (ID)
);
CREATE INDEX IX_OSESPOM_IDSTAN ON OSESPOM (IDSTAN);
CREATE INDEX IX_OSESPOM_DATA ON OSESPOM (DATA);

-- PCzynSes: a factor (IdCzynn -> DCzynn.Id) recorded in a survey
-- (IdSesjaPom -> OSesPom.Id): measurement date (NULL = not measured),
-- date of the next measurement, combined risk score.
CREATE TABLE PCZYNSES (
  ID           INTEGER NOT NULL,
  IDSESJAPOM   INTEGER NOT NULL,
  IDCZYNN      INTEGER NOT NULL,
  DATAPOM      DATE,
  TERMNASTBAD  DATE,
  OCENAKOMP    NUMERIC(9,2),
  CONSTRAINT PK_PCZYNSES PRIMARY KEY (ID)
);
CREATE INDEX IX_PCZYNSES_IDSESJAPOM ON PCZYNSES (IDSESJAPOM);
CREATE INDEX IX_PCZYNSES_IDCZYNN ON PCZYNSES (IDCZYNN);
CREATE INDEX IX_PCZYNSES_TERMNASTBAD ON PCZYNSES (TERMNASTBAD);

-- OOchSesO: personal protective equipment recorded for a survey
-- (IdSesji -> OSesPom.Id).
CREATE TABLE OOCHSESO (
  ID       INTEGER NOT NULL,
  IDSESJI  INTEGER NOT NULL,
  CONSTRAINT PK_OOCHSESO PRIMARY KEY (ID)
);
CREATE INDEX IX_OOCHSESO_IDSESJI ON OOCHSESO (IDSESJI);

-- OProfOrg: organisational prevention recorded for a survey
-- (IdSesja -> OSesPom.Id).
CREATE TABLE OPROFORG (
  ID       INTEGER NOT NULL,
  IDSESJA  INTEGER NOT NULL,
  CONSTRAINT PK_OPROFORG PRIMARY KEY (ID)
);
CREATE INDEX IX_OPROFORG_IDSESJA ON OPROFORG (IDSESJA);

-- ===================================================================
-- Selection of personal protective equipment (DOBÓR)
-- ===================================================================

-- BDDoborOstateczny: final selection of protective equipment for a
-- workstation (IdStanow -> OStrukt.Id).
CREATE TABLE BDDOBOROSTATECZNY (
  ID        INTEGER NOT NULL,
  IDSTANOW  INTEGER NOT NULL,
  CONSTRAINT PK_BDDOBOROSTATECZNY PRIMARY KEY (ID)
);
CREATE INDEX IX_BDDOBOROSTATECZNY_IDSTANOW ON BDDOBOROSTATECZNY (IDSTANOW);

-- BDWyborOchr: choice of protective equipment made for a workstation
-- (IdStanow -> OStrukt.Id).
CREATE TABLE BDWYBOROCHR (
  ID        INTEGER NOT NULL,
  IDSTANOW  INTEGER NOT NULL,
  CONSTRAINT PK_BDWYBOROCHR PRIMARY KEY (ID)
);
CREATE INDEX IX_BDWYBOROCHR_IDSTANOW ON BDWYBOROCHR (IDSTANOW);

-- ===================================================================
-- Safety items with validity dates (BHP)
-- ===================================================================

-- BHPGrupy: tree of safety-item groups. IdRodzStrukt = parent group
-- (0 = top), TypStrukt = kind (1 = group of items, 0 = folder of groups),
-- Okresowe = 1 for items issued periodically (with a valid-until date).
CREATE TABLE BHPGRUPY (
  ID            INTEGER NOT NULL,
  IDRODZSTRUKT  INTEGER DEFAULT 0 NOT NULL,
  NAZWA         VARCHAR(200) COLLATE PXW_PLK,
  TYPSTRUKT     INTEGER DEFAULT 0 NOT NULL,
  OKRESOWE      SMALLINT DEFAULT 0 NOT NULL,
  CONSTRAINT PK_BHPGRUPY PRIMARY KEY (ID)
);
CREATE INDEX IX_BHPGRUPY_IDRODZSTRUKT ON BHPGRUPY (IDRODZSTRUKT);

-- BHPDane: safety items at workstations - workstation (IdStan -> OStrukt.Id),
-- person (IdPrac -> ODanOs.IdOsoby, 0 = the workstation's own item),
-- item group (IdBHP -> BHPGrupy.Id), removal date (NULL = not removed).
CREATE TABLE BHPDANE (
  ID        INTEGER NOT NULL,
  IDSTAN    INTEGER NOT NULL,
  IDPRAC    INTEGER DEFAULT 0 NOT NULL,
  IDBHP     INTEGER NOT NULL,
  DATAUSUN  DATE,
  CONSTRAINT PK_BHPDANE PRIMARY KEY (ID)
);
CREATE INDEX IX_BHPDANE_IDSTAN ON BHPDANE (IDSTAN);
CREATE INDEX IX_BHPDANE_IDPRAC ON BHPDANE (IDPRAC);
CREATE INDEX IX_BHPDANE_IDBHP ON BHPDANE (IDBHP);
CREATE INDEX IX_BHPDANE_DATAUSUN ON BHPDANE (DATAUSUN);

-- BHPDane_Sz: entries (issues) of a safety item (IdBHPDane -> BHPDane.Id)
-- with their valid-until date (NULL or 1899-12-30 = no date).
CREATE TABLE BHPDANE_SZ (
  ID         INTEGER NOT NULL,
  IDBHPDANE  INTEGER NOT NULL,
  DATAWAZ    DATE,
  CONSTRAINT PK_BHPDANE_SZ PRIMARY KEY (ID)
);
CREATE INDEX IX_BHPDANE_SZ_IDBHPDANE ON BHPDANE_SZ (IDBHPDANE);
CREATE INDEX IX_BHPDANE_SZ_DATAWAZ ON BHPDANE_SZ (DATAWAZ);
