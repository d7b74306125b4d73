-- The database of Orbilane. orbilane-createdb runs these statements, in order,
-- on a new empty database created with DEFAULT CHARACTER SET WIN1252, so every
-- text column holds every Windows-1252 character. Statements end with ';' at
-- the end of a line.
--
-- Choices made here:
-- * Text widths: NOME of USUARIO 100 (a person's name), LOGIN 50, SENHA 200
--   (two hexadecimal digits per password character: passwords of up to 100
--   characters); NOME of ANEXOS 255 (the longest file name Linux and Windows
--   allow), EXTENSAO 50 (".tar.gz" and the like, with room to spare).
-- * Every ID is a primary key: every command reaches its row by ID.
-- * The attachments of a deleted task go with it (the foreign key cascades):
--   an attachment no task owns could never be seen again and would only keep
--   private content and waste space. No other foreign key: CADERNO_ID 0 means
--   "in no notebook", and accounts and notebooks are kept consistent by the
--   program's own checks.
-- * Indexes follow the queries: the task list filters by user and notebook
--   (IX_TAREFAS_USUARIO) and sorts by ORDEM; reordering by drag and drop reads
--   and renumbers ranges of ORDEM (IX_TAREFAS_ORDEM); the open-task count of a
--   notebook scans by notebook and state (IX_TAREFAS_CADERNO); the notebook
--   list reads by owner (IX_CADERNO_USUARIO); sign-in looks up the login
--   (IX_USUARIO_LOGIN); attachments are read by task (the foreign key's index).

CREATE SEQUENCE GEN_ID_USUARIO;
CREATE SEQUENCE GEN_ID_CADERNO;
CREATE SEQUENCE GEN_ID_TAREFAS;
CREATE SEQUENCE GEN_ID_ANEXOS;

CREATE TABLE USUARIO (
  ID                  INTEGER NOT NULL,
  NOME                VARCHAR(100),
  LOGIN               VARCHAR(50),
  SENHA               VARCHAR(200),
  ADMINISTRADOR       INTEGER,
  ATIVO               INTEGER,
  FLAG_PAINEL_LEITURA INTEGER,
  FLAG_ARQUIVADOS     INTEGER,
  FLAG_INICIADO       INTEGER,
  FLAG_CONCLUIDO      INTEGER,
  CONSTRAINT PK_USUARIO PRIMARY KEY (ID)
);

CREATE TABLE CADERNO (
  ID         BIGINT NOT NULL,
  USUARIO_ID BIGINT,
  PARENTID   BIGINT,
  BOXNUMBER  INTEGER,
  BOXKIND    INTEGER,
  NAME       VARCHAR(50),
  VISIVEL    INTEGER,
  IMAGEINDEX INTEGER,
  CONSTRAINT PK_CADERNO PRIMARY KEY (ID)
);

CREATE TABLE TAREFAS (
  ID             BIGINT NOT NULL,
  USUARIO_ID     BIGINT,
  ASSUNTO        VARCHAR(200),
  CADERNO_ID     BIGINT,
  DATA_CADASTRO  TIMESTAMP,
  DATA_INICIO    TIMESTAMP,
  DATA_PREVISTA  TIMESTAMP,
  DATA_CONCLUSAO TIMESTAMP,
  DATA_UPDATE    TIMESTAMP,
  STATUS         SMALLINT,
  PRIORIDADE     SMALLINT,
  ANDAMENTO      SMALLINT,
  ORDEM          BIGINT,
  DESCRICAO      BLOB SUB_TYPE 0,
  CONSTRAINT PK_TAREFAS PRIMARY KEY (ID)
);

-- The badge of a notebook: its tasks that are neither completed (3) nor archived (4).
ALTER TABLE CADERNO ADD QTD COMPUTED BY
  ((SELECT COUNT(*) FROM TAREFAS T WHERE T.CADERNO_ID = CADERNO.ID AND T.STATUS NOT IN (3, 4)));

CREATE TABLE ANEXOS (
  ID        INTEGER NOT NULL,
  ID_TAREFA BIGINT,
  NOME      VARCHAR(255),
  EXTENSAO  VARCHAR(50),
  ARQUIVO   BLOB SUB_TYPE 0,
  CONSTRAINT PK_ANEXOS PRIMARY KEY (ID),
  CONSTRAINT FK_ANEXOS_TAREFA FOREIGN KEY (ID_TAREFA) REFERENCES TAREFAS (ID) ON DELETE CASCADE
);

CREATE INDEX IX_TAREFAS_USUARIO ON TAREFAS (USUARIO_ID, CADERNO_ID);
CREATE INDEX IX_TAREFAS_CADERNO ON TAREFAS (CADERNO_ID, STATUS);
CREATE INDEX IX_TAREFAS_ORDEM ON TAREFAS (ORDEM);
CREATE INDEX IX_CADERNO_USUARIO ON CADERNO (USUARIO_ID);
CREATE INDEX IX_USUARIO_LOGIN ON USUARIO (LOGIN);
