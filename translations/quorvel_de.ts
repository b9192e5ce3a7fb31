<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Texts</name>
    <message>
        <source>The frame buffer file could not be written: %1</source>
        <translation>Die Bildpufferdatei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The program is already loaded!</source>
        <translation>Das Programm läuft bereits!</translation>
    </message>
    <message>
        <source>The lock file could not be created here: a second copy started in this folder would not be refused.</source>
        <translation>Die Sperrdatei konnte hier nicht angelegt werden: Eine zweite Kopie, die in diesem Ordner startet, würde nicht abgewiesen.</translation>
    </message>
    <message>
        <source>Quorvel Laser Editor</source>
        <translation>Quorvel Laser Editor</translation>
    </message>
    <message>
        <source>Quorvel Editor</source>
        <translation>Quorvel Editor</translation>
    </message>
    <message>
        <source>File changed. Do you want to save it?</source>
        <translation>Die Datei wurde geändert. Möchten Sie sie speichern?</translation>
    </message>
    <message>
        <source>The last session ended without saving. Recover its %1 frames?</source>
        <translation>Die letzte Sitzung endete ohne Speichern. Ihre %1 Bilder wiederherstellen?</translation>
    </message>
    <message>
        <source>The last session ended without saving. Recover its %1 frames of %2?</source>
        <translation>Die letzte Sitzung endete ohne Speichern. Ihre %1 Bilder von %2 wiederherstellen?</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 ist bereits vorhanden. Ersetzen?</translation>
    </message>
    <message>
        <source>ILDA Files *.ILD|*.ild</source>
        <translation>ILDA-Dateien *.ILD|*.ild</translation>
    </message>
    <message>
        <source>The sequence is full (10000 frames).</source>
        <translation>Die Sequenz ist voll (10000 Bilder).</translation>
    </message>
    <message>
        <source>Only the first 10000 frames were loaded.</source>
        <translation>Nur die ersten 10000 Bilder wurden geladen.</translation>
    </message>
    <message>
        <source>The file could not be read: %1</source>
        <translation>Die Datei konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>the frame buffer file could not be started, so it holds no sequence to save</source>
        <translation>die Bildpufferdatei konnte nicht angelegt werden und enthält daher keine Sequenz zum Speichern</translation>
    </message>
    <message>
        <source>the sequence has no frames</source>
        <translation>die Sequenz hat keine Bilder</translation>
    </message>
    <message>
        <source>Frame %1 could not be read from the frame buffer file.</source>
        <translation>Bild %1 konnte nicht aus der Bildpufferdatei gelesen werden.</translation>
    </message>
    <message>
        <source>At %1 kpps the projector redraws this frame fewer than %2 times a second: it will flicker. Use fewer points or a faster projector (View Options).</source>
        <translation>Bei %1 kpps zeichnet der Projektor dieses Bild weniger als %2-mal pro Sekunde: Es wird flimmern. Verwenden Sie weniger Punkte oder einen schnelleren Projektor (Ansichtsoptionen).</translation>
    </message>
    <message>
        <source>ILDA for SD-card projectors *.ILD|*.ild</source>
        <translation>ILDA für SD-Karten-Projektoren *.ILD|*.ild</translation>
    </message>
    <message>
        <source>SD cards may need a name like SHOW01.ILD.</source>
        <translation>SD-Karten brauchen womöglich einen Namen wie SHOW01.ILD.</translation>
    </message>
    <message>
        <source>Exported %1 frames for SD-card projectors to %2.</source>
        <translation>%1 Bilder für SD-Karten-Projektoren nach %2 exportiert.</translation>
    </message>
    <message>
        <source>Saved %1 frames.</source>
        <translation>%1 Bilder gespeichert.</translation>
    </message>
    <message>
        <source>No points selected to copy</source>
        <translation>Keine Punkte zum Kopieren ausgewählt</translation>
    </message>
    <message>
        <source>No points selected to cut</source>
        <translation>Keine Punkte zum Ausschneiden ausgewählt</translation>
    </message>
    <message>
        <source>True color points could not be inserted into indexed color space</source>
        <translation>Echtfarbpunkte konnten nicht in einen indizierten Farbraum eingefügt werden</translation>
    </message>
    <message>
        <source>Not enough room: the frame would have more than 20000 points.</source>
        <translation>Nicht genug Platz: Das Bild hätte mehr als 20000 Punkte.</translation>
    </message>
    <message>
        <source>Image Files *.BMP,*.JPG|*.bmp;*.jpg;*.jpeg;*.png</source>
        <translation>Bilddateien *.BMP,*.JPG|*.bmp;*.jpg;*.jpeg;*.png</translation>
    </message>
    <message>
        <source>%1 is no longer there: it was taken off Recent Files.</source>
        <translation>%1 ist nicht mehr vorhanden: Es wurde aus den zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <source>The picture could not be read.</source>
        <translation>Das Bild konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Optimised: %1 → %2 points, %3 corners held.</source>
        <translation>Optimiert: %1 → %2 Punkte, %3 Ecken gehalten.</translation>
    </message>
    <message>
        <source>Nothing to optimise.</source>
        <translation>Nichts zu optimieren.</translation>
    </message>
    <message>
        <source>Settings and Recent Files cannot be kept: %1 takes no files.</source>
        <translation>Einstellungen und zuletzt geöffnete Dateien können nicht gespeichert werden: %1 nimmt keine Dateien auf.</translation>
    </message>
    <message>
        <source>SVG Drawings *.SVG|*.svg;*.svgz</source>
        <translation>SVG-Zeichnungen *.SVG|*.svg;*.svgz</translation>
    </message>
    <message>
        <source>%1 could not be read as an SVG drawing: %2.</source>
        <translation>%1 konnte nicht als SVG-Zeichnung gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Imported %1: %2 outlines, %3 points, %4 elements left out.</source>
        <translation>%1 importiert: %2 Umrisse, %3 Punkte, %4 Elemente ausgelassen.</translation>
    </message>
    <message>
        <source>The frame is full: %1 of %2 outlines imported.</source>
        <translation>Das Bild ist voll: %1 von %2 Umrissen importiert.</translation>
    </message>
    <message>
        <source>Importing drawings...</source>
        <translation>Zeichnungen werden importiert …</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Wird abgebrochen …</translation>
    </message>
    <message>
        <source>Imported %1 drawings as frames %2 to %3, %4 elements left out.</source>
        <translation>%1 Zeichnungen als Bilder %2 bis %3 importiert, %4 Elemente ausgelassen.</translation>
    </message>
    <message>
        <source>Not in this font, so left out: %1</source>
        <translation>Nicht in dieser Schrift, daher ausgelassen: %1</translation>
    </message>
    <message>
        <source>The frame is full (20000 points).</source>
        <translation>Das Bild ist voll (20000 Punkte).</translation>
    </message>
    <message>
        <source>frame %1 cannot be read</source>
        <translation>Bild %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>; frame %1 could not be put back</source>
        <translation>; Bild %1 konnte nicht zurückgelegt werden</translation>
    </message>
    <message>
        <source>The network cannot reach %1.</source>
        <translation>Das Netz erreicht %1 nicht.</translation>
    </message>
    <message>
        <source>No projector address was given.</source>
        <translation>Es wurde keine Projektoradresse angegeben.</translation>
    </message>
    <message>
        <source>%1 is not a known name.</source>
        <translation>%1 ist kein bekannter Name.</translation>
    </message>
    <message>
        <source>Nothing answers at %1.</source>
        <translation>Unter %1 antwortet nichts.</translation>
    </message>
    <message>
        <source>a link, which is never followed</source>
        <translation>eine Verknüpfung, der nie gefolgt wird</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>frame %1 has no place in the file</source>
        <translation>Bild %1 hat keinen Platz in der Datei</translation>
    </message>
    <message>
        <source>The palette file %1 could not be read (%2): its colours show as black.</source>
        <translation>Die Palettendatei %1 konnte nicht gelesen werden (%2): Ihre Farben erscheinen schwarz.</translation>
    </message>
    <message>
        <source>The palette file %1 holds only %2 of its %3 colours: the rest show as black.</source>
        <translation>Die Palettendatei %1 enthält nur %2 ihrer %3 Farben: Der Rest erscheint schwarz.</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>%1 was %2, not a file of the program&apos;s own: it was removed and a new one made.</source>
        <translation>%1 war %2, keine eigene Datei des Programms: Sie wurde entfernt und neu angelegt.</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>eine Verknüpfung</translation>
    </message>
    <message>
        <source>a pipe or a device</source>
        <translation>eine Pipe oder ein Gerät</translation>
    </message>
    <message>
        <source>0 points at %1 kpps</source>
        <translation>0 Punkte bei %1 kpps</translation>
    </message>
    <message>
        <source>%1 %2 · %3.%4 fps at %5 kpps</source>
        <translation>%1 %2 · %3,%4 fps bei %5 kpps</translation>
    </message>
    <message>
        <source>The character has no outline.</source>
        <translation>Das Zeichen hat keinen Umriss.</translation>
    </message>
    <message>
        <source>The curve step must be above 0.</source>
        <translation>Die Kurvenschrittweite muss über 0 liegen.</translation>
    </message>
    <message>
        <source>The glyph outline is cut short.</source>
        <translation>Der Glyphenumriss bricht vorzeitig ab.</translation>
    </message>
    <message>
        <source>The font gives no outline for this character.</source>
        <translation>Die Schrift liefert für dieses Zeichen keinen Umriss.</translation>
    </message>
    <message>
        <source>it inflates to more than 64 MB</source>
        <translation>sie entpackt sich auf mehr als 64 MB</translation>
    </message>
    <message>
        <source>it nests elements more than %1 deep</source>
        <translation>sie verschachtelt Elemente tiefer als %1 Ebenen</translation>
    </message>
    <message>
        <source>it is not an SVG drawing</source>
        <translation>sie ist keine SVG-Zeichnung</translation>
    </message>
    <message>
        <source>: recovered</source>
        <translation>: wiederhergestellt</translation>
    </message>
    <message>
        <source> (recovered)</source>
        <translation> (wiederhergestellt)</translation>
    </message>
    <message>
        <source>point</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <source>points</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Choose a frame in the strip first: the drawings are added to it.</source>
        <translation>Wählen Sie zuerst ein Bild in der Leiste: Die Zeichnungen werden ihm hinzugefügt.</translation>
    </message>
    <message>
        <source>One sequence is open at a time: %1 is open, the other ILDA files are not.</source>
        <translation>Es ist immer nur eine Sequenz geöffnet: %1 ist geöffnet, die anderen ILDA-Dateien nicht.</translation>
    </message>
    <message>
        <source>%1 is no ILDA file, SVG drawing or picture the editor takes.</source>
        <translation>%1 ist keine ILDA-Datei, SVG-Zeichnung oder Bilddatei, die der Editor annimmt.</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>Rückgängig gemacht: %1</translation>
    </message>
    <message>
        <source>Redone: %1</source>
        <translation>Wiederhergestellt: %1</translation>
    </message>
    <message>
        <source>The frames this changes cannot be kept for Undo: %1.
Change them all the same, without Undo?</source>
        <translation>Die Bilder, die dies ändert, können nicht für „Rückgängig“ aufbewahrt werden: %1.
Trotzdem ändern, ohne „Rückgängig“?</translation>
    </message>
    <message>
        <source>Insert Frame</source>
        <translation>Leeres Bild einfügen</translation>
    </message>
    <message>
        <source>Duplicate Frame</source>
        <translation>Bild duplizieren</translation>
    </message>
    <message>
        <source>Move Frame</source>
        <translation>Bild verschieben</translation>
    </message>
    <message>
        <source>Delete Frames</source>
        <translation>Bilder löschen</translation>
    </message>
    <message>
        <source>Reverse Frames</source>
        <translation>Bilder umkehren</translation>
    </message>
    <message>
        <source>Tween</source>
        <translation>Zwischenbilder</translation>
    </message>
    <message>
        <source>Transform over frames</source>
        <translation>Über Bilder transformieren</translation>
    </message>
    <message>
        <source>Import SVG as frames</source>
        <translation>SVG als Bilder importieren</translation>
    </message>
</context>
<context>
    <name>Tools</name>
    <message>
        <source>Pointer: the canvas takes no clicks</source>
        <translation>Zeiger: Die Zeichenfläche nimmt keine Klicks an</translation>
    </message>
    <message>
        <source>Point: click to add a point, or drag with Pen mode; the right button blanks</source>
        <translation>Punkt: Klicken fügt einen Punkt hinzu, Ziehen im Stiftmodus zeichnet; die rechte Taste dunkelt</translation>
    </message>
    <message>
        <source>Line: drag; it runs from the last point to where you release</source>
        <translation>Linie: Ziehen; sie verläuft vom letzten Punkt bis zum Loslassen</translation>
    </message>
    <message>
        <source>Circle: press at the centre, release at a corner of its box</source>
        <translation>Kreis: In der Mitte drücken, an einer Ecke seines Rahmens loslassen</translation>
    </message>
    <message>
        <source>Rectangle: press at one corner, release at the other</source>
        <translation>Rechteck: An einer Ecke drücken, an der anderen loslassen</translation>
    </message>
    <message>
        <source>Create Text: press where the text starts, then type it</source>
        <translation>Text erstellen: Dort drücken, wo der Text beginnt, dann tippen</translation>
    </message>
    <message>
        <source>Select: click a point, then another; a right click clears</source>
        <translation>Auswählen: Einen Punkt anklicken, dann einen zweiten; ein Rechtsklick hebt auf</translation>
    </message>
    <message>
        <source>Move: drag a point, or the selection by any of its points</source>
        <translation>Verschieben: Einen Punkt ziehen oder die Auswahl an einem ihrer Punkte</translation>
    </message>
    <message>
        <source>Insert: press near a segment, release where the new point goes</source>
        <translation>Einfügen: Nahe einem Segment drücken, dort loslassen, wo der neue Punkt hin soll</translation>
    </message>
    <message>
        <source>Recolor: click or drag over points to give them the colour</source>
        <translation>Umfärben: Punkte anklicken oder überstreichen, um ihnen die Farbe zu geben</translation>
    </message>
    <message>
        <source>Delete: click a point, or one of the selection to delete it all</source>
        <translation>Löschen: Einen Punkt anklicken, oder einen der Auswahl, um sie ganz zu löschen</translation>
    </message>
    <message>
        <source>Transform: drag inside the box to move, a corner to scale, just outside a corner to turn; Shift keeps proportions and turns by 15 degrees</source>
        <translation>Transformieren: im Rahmen ziehen verschiebt, an einer Ecke skaliert, knapp außerhalb einer Ecke dreht; Umschalt hält die Proportionen und dreht in 15-Grad-Schritten</translation>
    </message>
</context>
<context>
    <name>quorvel::AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Built on %1</source>
        <translation>Erstellt am %1</translation>
    </message>
    <message>
        <source>An editor for laser-show frames in ILDA files.
Made with Qt, FreeType and fontconfig.</source>
        <translation>Ein Editor für Lasershow-Bilder in ILDA-Dateien.
Erstellt mit Qt, FreeType und fontconfig.</translation>
    </message>
</context>
<context>
    <name>quorvel::FrameInfoDialog</name>
    <message>
        <source>Frame Info</source>
        <translation>Bildinfo</translation>
    </message>
    <message>
        <source>Frame Format:</source>
        <translation>Bildformat:</translation>
    </message>
    <message>
        <source>Frame Name:</source>
        <translation>Bildname:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Firma:</translation>
    </message>
    <message>
        <source>of</source>
        <translation>von</translation>
    </message>
    <message>
        <source>Number:</source>
        <translation>Nummer:</translation>
    </message>
</context>
<context>
    <name>quorvel::LaserDialog</name>
    <message>
        <source>Laser Output</source>
        <translation>Laserausgabe</translation>
    </message>
    <message>
        <source>address[:port]</source>
        <translation>Adresse[:Port]</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Ask every projector on the local network to answer</source>
        <translation>Alle Projektoren im lokalen Netz um Antwort bitten</translation>
    </message>
    <message>
        <source>Projector</source>
        <translation>Projektor</translation>
    </message>
    <message>
        <source>No projector answered.</source>
        <translation>Kein Projektor hat geantwortet.</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Flip X</source>
        <translation>X spiegeln</translation>
    </message>
    <message>
        <source>Flip Y</source>
        <translation>Y spiegeln</translation>
    </message>
    <message>
        <source>Size (X, Y)</source>
        <translation>Größe (X, Y)</translation>
    </message>
    <message>
        <source>Offset (X, Y)</source>
        <translation>Versatz (X, Y)</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Spiegeln</translation>
    </message>
    <message>
        <source>Test pattern instead of the frame</source>
        <translation>Testbild statt des Bildes</translation>
    </message>
    <message>
        <source>Disarm</source>
        <translation>Entschärfen</translation>
    </message>
    <message>
        <source>Arm</source>
        <translation>Scharf schalten</translation>
    </message>
</context>
<context>
    <name>quorvel::MainWindow</name>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>New File</source>
        <translation>Neue Datei</translation>
    </message>
    <message>
        <source>Add New Frame</source>
        <translation>Neues Bild anfügen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter …</translation>
    </message>
    <message>
        <source>Export for SD-card Projectors...</source>
        <translation>Für SD-Karten-Projektoren exportieren …</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>Import SVG...</source>
        <translation>SVG importieren …</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Cut Points</source>
        <translation>Punkte ausschneiden</translation>
    </message>
    <message>
        <source>Copy Points</source>
        <translation>Punkte kopieren</translation>
    </message>
    <message>
        <source>Paste Points</source>
        <translation>Punkte einfügen</translation>
    </message>
    <message>
        <source>Cut Frame</source>
        <translation>Bild ausschneiden</translation>
    </message>
    <message>
        <source>Copy Frame</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Paste Frame</source>
        <translation>Bild einfügen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Sichtbar</translation>
    </message>
    <message>
        <source>Blanked</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Convert to Palette Colours</source>
        <translation>In Palettenfarben umwandeln</translation>
    </message>
    <message>
        <source>Convert to True Colour</source>
        <translation>In Echtfarben umwandeln</translation>
    </message>
    <message>
        <source>Optimise for Projector</source>
        <translation>Für Projektor optimieren</translation>
    </message>
    <message>
        <source>Delete Frames</source>
        <translation>Bilder löschen</translation>
    </message>
    <message>
        <source>Insert Frame</source>
        <translation>Leeres Bild einfügen</translation>
    </message>
    <message>
        <source>Duplicate Frame</source>
        <translation>Bild duplizieren</translation>
    </message>
    <message>
        <source>Move Frame Earlier</source>
        <translation>Bild nach vorn verschieben</translation>
    </message>
    <message>
        <source>Move Frame Later</source>
        <translation>Bild nach hinten verschieben</translation>
    </message>
    <message>
        <source>Object Selection Mode</source>
        <translation>Objektauswahlmodus</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Beam Mode</source>
        <translation>Strahlmodus</translation>
    </message>
    <message>
        <source>Show Previous Frame</source>
        <translation>Vorheriges Bild zeigen</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Bild laden</translation>
    </message>
    <message>
        <source>Remove Image</source>
        <translation>Bild entfernen</translation>
    </message>
    <message>
        <source>View Options</source>
        <translation>Ansichtsoptionen</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Frame Info</source>
        <translation>Bildinfo</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Color Selector</source>
        <translation>Farbauswahl</translation>
    </message>
    <message>
        <source>RGB...</source>
        <translation>RGB …</translation>
    </message>
    <message>
        <source>Any colour for this true-colour frame</source>
        <translation>Beliebige Farbe für dieses Echtfarbbild</translation>
    </message>
    <message>
        <source>Pen mode</source>
        <translation>Stiftmodus</translation>
    </message>
    <message>
        <source>Point space</source>
        <translation>Punktabstand</translation>
    </message>
    <message>
        <source>Blank space</source>
        <translation>Dunkelabstand</translation>
    </message>
    <message>
        <source>Points:</source>
        <translation>Punkte:</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Laser Output...</source>
        <translation>Laserausgabe …</translation>
    </message>
    <message>
        <source>Disarm Laser</source>
        <translation>Laser entschärfen</translation>
    </message>
    <message>
        <source>Laser output disarmed.</source>
        <translation>Laserausgabe entschärft.</translation>
    </message>
    <message>
        <source>Laser output stopped: %1</source>
        <translation>Laserausgabe angehalten: %1</translation>
    </message>
    <message>
        <source>%1 is no projector address: type HOST, HOST:PORT or [IPv6]:PORT.</source>
        <translation>%1 ist keine Projektoradresse: Geben Sie HOST, HOST:PORT oder [IPv6]:PORT ein.</translation>
    </message>
    <message>
        <source>Laser output not armed: %1</source>
        <translation>Laserausgabe nicht scharf geschaltet: %1</translation>
    </message>
    <message>
        <source>Laser: %1 · %2 kpps · sending%3</source>
        <translation>Laser: %1 · %2 kpps · sendet%3</translation>
    </message>
    <message>
        <source> · too many points for 15 fps</source>
        <translation> · zu viele Punkte für 15 fps</translation>
    </message>
    <message>
        <source>Delete Points</source>
        <translation>Punkte löschen</translation>
    </message>
    <message>
        <source>Transform...</source>
        <translation>Transformieren …</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Reverse Frames</source>
        <translation>Bilder umkehren</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Schleife</translation>
    </message>
    <message>
        <source>Play the frames selected in the strip, or all, again and again until Stop</source>
        <translation>Die in der Leiste gewählten Bilder, oder alle, immer wieder abspielen, bis Stopp</translation>
    </message>
    <message>
        <source>Tween...</source>
        <translation>Zwischenbilder …</translation>
    </message>
</context>
<context>
    <name>quorvel::TextDialog</name>
    <message>
        <source>Create text</source>
        <translation>Text erstellen</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Text rotation:</source>
        <translation>Textdrehung:</translation>
    </message>
</context>
<context>
    <name>quorvel::TransformDialog</name>
    <message>
        <source>Transform</source>
        <translation>Transformieren</translation>
    </message>
    <message>
        <source>Keep proportions</source>
        <translation>Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Mirror horizontally</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Mirror vertically</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>The selection&apos;s centre</source>
        <translation>Mitte der Auswahl</translation>
    </message>
    <message>
        <source>The frame&apos;s centre</source>
        <translation>Mitte des Bildes</translation>
    </message>
    <message>
        <source>The canvas centre</source>
        <translation>Mitte der Zeichenfläche</translation>
    </message>
    <message>
        <source>Move X (units):</source>
        <translation>Verschieben X (Einheiten):</translation>
    </message>
    <message>
        <source>Move Y (units):</source>
        <translation>Verschieben Y (Einheiten):</translation>
    </message>
    <message>
        <source>Scale X (%):</source>
        <translation>Skalieren X (%):</translation>
    </message>
    <message>
        <source>Scale Y (%):</source>
        <translation>Skalieren Y (%):</translation>
    </message>
    <message>
        <source>Rotate (degrees):</source>
        <translation>Drehen (Grad):</translation>
    </message>
    <message>
        <source>About:</source>
        <translation>Um:</translation>
    </message>
    <message>
        <source>Over the selected frames (%1)</source>
        <translation>Über die gewählten Bilder verteilt (%1)</translation>
    </message>
</context>
<context>
    <name>quorvel::TweenDialog</name>
    <message>
        <source>Tween</source>
        <translation>Zwischenbilder</translation>
    </message>
    <message>
        <source>From frame %1 to frame:</source>
        <translation>Von Bild %1 bis Bild:</translation>
    </message>
    <message>
        <source>Insert new frames after frame %1:</source>
        <translation>Neue Bilder nach Bild %1 einfügen:</translation>
    </message>
    <message>
        <source>Replace the %1 frames between</source>
        <translation>Die %1 Bilder dazwischen ersetzen</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Ease in</source>
        <translation>Langsam beginnen</translation>
    </message>
    <message>
        <source>Ease out</source>
        <translation>Langsam enden</translation>
    </message>
    <message>
        <source>Ease in and out</source>
        <translation>Langsam beginnen und enden</translation>
    </message>
    <message>
        <source>Easing:</source>
        <translation>Verlauf:</translation>
    </message>
</context>
<context>
    <name>quorvel::ViewOptionsDialog</name>
    <message>
        <source>View Options</source>
        <translation>Ansichtsoptionen</translation>
    </message>
    <message>
        <source>Grid step</source>
        <translation>Rasterweite</translation>
    </message>
    <message>
        <source>Point size</source>
        <translation>Punktgröße</translation>
    </message>
    <message>
        <source>Play FPS</source>
        <translation>Abspiel-FPS</translation>
    </message>
    <message>
        <source>How many thousand points a second the projector draws</source>
        <translation>Wie viele tausend Punkte pro Sekunde der Projektor zeichnet</translation>
    </message>
    <message>
        <source>Projector speed</source>
        <translation>Projektorgeschwindigkeit</translation>
    </message>
    <message>
        <source> points</source>
        <translation> Punkte</translation>
    </message>
    <message>
        <source>How long Optimise for Projector and SVG import hold the beam at a corner</source>
        <translation>Wie lange „Für Projektor optimieren“ und der SVG-Import den Strahl an einer Ecke halten</translation>
    </message>
    <message>
        <source>Corner dwell</source>
        <translation>Eckenverweilen</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>How many frames before the working one Show Previous Frame lays under it</source>
        <translation>Wie viele Bilder vor dem bearbeiteten „Vorheriges Bild zeigen“ darunterlegt</translation>
    </message>
    <message>
        <source>How many frames after it, in another tint</source>
        <translation>Wie viele Bilder danach, in einer anderen Tönung</translation>
    </message>
    <message>
        <source>before, </source>
        <translation>davor, </translation>
    </message>
    <message>
        <source>after</source>
        <translation>danach</translation>
    </message>
    <message>
        <source>Onion skin frames</source>
        <translation>Zwiebelschicht-Bilder</translation>
    </message>
</context>
</TS>
