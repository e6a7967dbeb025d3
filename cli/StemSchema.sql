-- English stems of the same texts as message_text, kept once `ombrel index --stem` asked for
-- them: a second table, since a word's stem ("run" of "running") must not hide the word itself
-- from an exact search.
CREATE VIRTUAL TABLE IF NOT EXISTS message_stems USING fts5 (
    subject, sender, recipients, cc, bcc, body, attachments, folder_path,
    content = 'messages', content_rowid = 'id',
    tokenize = 'porter unicode61 remove_diacritics 2'
);

CREATE TRIGGER IF NOT EXISTS messages_stems_added AFTER INSERT ON messages BEGIN
    INSERT INTO message_stems (rowid, subject, sender, recipients, cc, bcc, body, attachments,
                               folder_path)
    VALUES (new.id, new.subject, new.sender, new.recipients, new.cc, new.bcc, new.body,
            new.attachments, new.folder_path);
END;

CREATE TRIGGER IF NOT EXISTS messages_stems_removed AFTER DELETE ON messages BEGIN
    INSERT INTO message_stems (message_stems, rowid, subject, sender, recipients, cc, bcc, body,
                               attachments, folder_path)
    VALUES ('delete', old.id, old.subject, old.sender, old.recipients, old.cc, old.bcc, old.body,
            old.attachments, old.folder_path);
END;

INSERT INTO message_stems (message_stems) VALUES ('rebuild');
