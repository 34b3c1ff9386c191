<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>Rotaplan</name>
    <message>
        <source>  ^ Click the Rec # in This Column to Select a Record        Clicking again,  deselects the Record</source>
        <translation>  ^ Haga clic en el n.º de registro de esta columna para seleccionarlo        Otro clic lo deselecciona</translation>
    </message>
    <message>
        <source> ALL Existing Files ARE REPLACED</source>
        <translation> SE SUSTITUYEN TODOS los archivos existentes</translation>
    </message>
    <message>
        <source>&amp;About Rotaplan</source>
        <translation>&amp;Acerca de Rotaplan</translation>
    </message>
    <message>
        <source>&amp;Backup</source>
        <translation>&amp;Copia de seguridad</translation>
    </message>
    <message>
        <source>&amp;Completed Summary</source>
        <translation>&amp;Resumen de completados</translation>
    </message>
    <message>
        <source>&amp;Confirm</source>
        <translation>&amp;Confirmar</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Borrar</translation>
    </message>
    <message>
        <source>&amp;Delete All Records</source>
        <translation>&amp;Borrar todos los registros</translation>
    </message>
    <message>
        <source>&amp;Delete or Reschedule</source>
        <translation>&amp;Borrar o reprogramar</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exportar</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Find a call:</source>
        <translation>&amp;Buscar un aviso:</translation>
    </message>
    <message>
        <source>&amp;Goto</source>
        <translation>&amp;Ir</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translation>Í&amp;ndice</translation>
    </message>
    <message>
        <source>&amp;Menu</source>
        <translation>&amp;Menú</translation>
    </message>
    <message>
        <source>&amp;Menu\Cancel</source>
        <translation>&amp;Menú\Cancelar</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimir</translation>
    </message>
    <message>
        <source>&amp;Protect</source>
        <translation>&amp;Proteger</translation>
    </message>
    <message>
        <source>&amp;Re-Schedule</source>
        <translation>&amp;Reprogramar</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurar</translation>
    </message>
    <message>
        <source>&amp;Schedule</source>
        <translation>&amp;Programar</translation>
    </message>
    <message>
        <source>&amp;Start Search</source>
        <translation>&amp;Iniciar búsqueda</translation>
    </message>
    <message>
        <source>&amp;Upgrade</source>
        <translation>&amp;Ampliar</translation>
    </message>
    <message>
        <source>07:00 am</source>
        <translation>07:00</translation>
    </message>
    <message>
        <source>08:00 am</source>
        <translation>08:00</translation>
    </message>
    <message>
        <source>&lt;b&gt;Welcome to Rotaplan.&lt;/b&gt; First add your teams, up to two, on the Assignments tab, and the problems your customers call about on the Problem Descriptions tab; each Add is saved at once. Then click Menu and book your first call.</source>
        <translation>&lt;b&gt;Bienvenido a Rotaplan.&lt;/b&gt; Primero añada sus equipos, hasta dos, en la pestaña Asignaciones, y las averías por las que llaman sus clientes en la pestaña Descripciones de averías; cada Añadir se guarda al momento. Después pulse Menú y registre su primer aviso.</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Rotaplan %1.%2.%3&lt;/h3&gt;&lt;p&gt;for Contractors and Tradesmen&lt;/p&gt;&lt;p&gt;Copyright © %4 2001-%5&lt;/p&gt;&lt;p&gt;Rotaplan is free of charge. It is provided as it is, without warranty of any kind.&lt;/p&gt;&lt;p&gt;Built with Qt %6, running on Qt %7.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Rotaplan %1.%2.%3&lt;/h3&gt;&lt;p&gt;para contratistas y profesionales de oficios&lt;/p&gt;&lt;p&gt;Copyright © %4 2001-%5&lt;/p&gt;&lt;p&gt;Rotaplan es gratuito. Se ofrece tal cual, sin garantía de ningún tipo.&lt;/p&gt;&lt;p&gt;Compilado con Qt %6, funcionando con Qt %7.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>A folder, synced to the crew's phones, where each team's calendar is kept current after every change; empty for none</source>
        <translation>Una carpeta, sincronizada con los móviles de las cuadrillas, donde el calendario de cada equipo se mantiene al día tras cada cambio; vacía si no se usa</translation>
    </message>
    <message>
        <source>A problem description</source>
        <translation>Una descripción de avería</translation>
    </message>
    <message>
        <source>A team name</source>
        <translation>Un nombre de equipo</translation>
    </message>
    <message>
        <source>A typical list of Problems that you Repair</source>
        <translation>Una lista típica de las averías que repara</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Acerca de &amp;Qt</translation>
    </message>
    <message>
        <source>About Rotaplan</source>
        <translation>Acerca de Rotaplan</translation>
    </message>
    <message>
        <source>Account Information</source>
        <translation>Datos del cliente</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Add a team on the Setup form (File, Create/Modify) first.</source>
        <translation>Añada primero un equipo en la configuración (Archivo, Crear/Modificar).</translation>
    </message>
    <message>
        <source>Add or Delete here</source>
        <translation>Añada o borre aquí</translation>
    </message>
    <message>
        <source>Add this item</source>
        <translation>Añadir esta entrada</translation>
    </message>
    <message>
        <source>Add to list</source>
        <translation>Añadir a la lista</translation>
    </message>
    <message>
        <source>Address 1</source>
        <translation>Dirección 1</translation>
    </message>
    <message>
        <source>Address 2</source>
        <translation>Dirección 2</translation>
    </message>
    <message>
        <source>All Future Bookings</source>
        <translation>Todas las citas futuras</translation>
    </message>
    <message>
        <source>All Selected Records will be Deleted!</source>
        <translation>¡Se borrarán todos los registros seleccionados!</translation>
    </message>
    <message>
        <source>Allow Scheduling These Days</source>
        <translation>Permitir citas estos días</translation>
    </message>
    <message>
        <source>Allows rescheduling of this attention.  Current hours are freed up</source>
        <translation>Permite reprogramar este aviso.  Sus horas actuales quedan libres</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Archivar</translation>
    </message>
    <message>
        <source>Archive </source>
        <translation>Archivar </translation>
    </message>
    <message>
        <source>Archive Procedure</source>
        <translation>Procedimiento de archivo</translation>
    </message>
    <message>
        <source>Archive/Re-Install</source>
        <translation>Archivar/Reinstalar</translation>
    </message>
    <message>
        <source>Archiving creates a copy of your</source>
        <translation>Archivar crea una copia de sus</translation>
    </message>
    <message>
        <source>Are You Sure?</source>
        <translation>¿Está seguro?</translation>
    </message>
    <message>
        <source>Assigned to</source>
        <translation>Asignado a</translation>
    </message>
    <message>
        <source>Assignedto</source>
        <translation>Asignado a</translation>
    </message>
    <message>
        <source>Assignment</source>
        <translation>Asignación</translation>
    </message>
    <message>
        <source>Assignment name</source>
        <translation>Nombre de la asignación</translation>
    </message>
    <message>
        <source>Assignment(s)</source>
        <translation>Asignación(es)</translation>
    </message>
    <message>
        <source>Assignments</source>
        <translation>Asignaciones</translation>
    </message>
    <message>
        <source>Available or Confirmed</source>
        <translation>Libre o confirmado</translation>
    </message>
    <message>
        <source>Backingup creates a copy of your</source>
        <translation>La copia de seguridad crea una copia de sus</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Copia de seguridad</translation>
    </message>
    <message>
        <source>Backup Procedure</source>
        <translation>Procedimiento de copia de seguridad</translation>
    </message>
    <message>
        <source>Bookings to export to the calendar</source>
        <translation>Citas a exportar al calendario</translation>
    </message>
    <message>
        <source>Branches the Program to the subroutine selcted by push button</source>
        <translation>Lleva el programa a la tarea elegida con los botones</translation>
    </message>
    <message>
        <source>CONTINUE ONLY IF ALL OTHER ATTEMPTS </source>
        <translation>CONTINÚE SOLO SI TODOS LOS DEMÁS INTENTOS </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Cancelling while Rescheduling will</source>
        <translation>Cancelar durante una reprogramación</translation>
    </message>
    <message>
        <source>Cancels the Scheduling of this Attention</source>
        <translation>Cancela la programación de este aviso</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambiar</translation>
    </message>
    <message>
        <source>Checks etc</source>
        <translation>Cheques, etc.</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ciudad</translation>
    </message>
    <message>
        <source>Click  on  an  Assignment and a Date</source>
        <translation>Elija  una  asignación y una fecha</translation>
    </message>
    <message>
        <source>Click here to Select</source>
        <translation>Haga clic aquí para elegir</translation>
    </message>
    <message>
        <source>Click on Our LOGO to SAVE Changes made to each Folder NOTE:    Our LOGO always has a purpose</source>
        <translation>Haga clic en nuestro LOGOTIPO para GUARDAR los cambios de cada carpeta. NOTA:    Nuestro LOGOTIPO siempre tiene una función</translation>
    </message>
    <message>
        <source>Click on the LOGO to Reset this Form</source>
        <translation>Haga clic en el LOGOTIPO para reiniciar este formulario</translation>
    </message>
    <message>
        <source>Click to Visit</source>
        <translation>Haga clic para visitar</translation>
    </message>
    <message>
        <source>Comfirmation </source>
        <translation>Confirmación </translation>
    </message>
    <message>
        <source>Compare Features</source>
        <translation>Comparar funciones</translation>
    </message>
    <message>
        <source>Completed Service Attentions</source>
        <translation>Avisos de servicio completados</translation>
    </message>
    <message>
        <source>Completes the Scheduling of this Attention</source>
        <translation>Completa la programación de este aviso</translation>
    </message>
    <message>
        <source>Contains Customer Info</source>
        <translation>Contiene los datos del cliente</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>Continues Entry of Needed Data or Returns to Main Mrnu</source>
        <translation>Continúa con los datos necesarios o vuelve al menú principal</translation>
    </message>
    <message>
        <source>Copyright © %1 2001-%2</source>
        <translation>Copyright © %1 2001-%2</translation>
    </message>
    <message>
        <source>Create A Service attention Call slip</source>
        <translation>Crear la hoja de un aviso de servicio</translation>
    </message>
    <message>
        <source>Create Service Attention for:</source>
        <translation>Crear aviso de servicio para:</translation>
    </message>
    <message>
        <source>Create your list in the most likely to least likey order.</source>
        <translation>Ordene la lista de la más probable a la menos probable.</translation>
    </message>
    <message>
        <source>Create/Modify</source>
        <translation>Crear/Modificar</translation>
    </message>
    <message>
        <source>Current Status of this Service Slip</source>
        <translation>Estado actual de esta hoja de servicio</translation>
    </message>
    <message>
        <source>Customer</source>
        <translation>Cliente</translation>
    </message>
    <message>
        <source>Customer Entry    </source>
        <translation>Datos del cliente    </translation>
    </message>
    <message>
        <source>CustomerTelephone No (Click to Call)</source>
        <translation>Teléfono del cliente (clic para llamar)</translation>
    </message>
    <message>
        <source>DATA WILL BE LOST</source>
        <translation>SE PERDERÁN DATOS</translation>
    </message>
    <message>
        <source>DO YOU WANT TO CONTINUE?????</source>
        <translation>¿DESEA CONTINUAR?????</translation>
    </message>
    <message>
        <source>Daily Work Schedules</source>
        <translation>Agenda diaria de trabajo</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Date on which this Attention will be Scheduled</source>
        <translation>Fecha para la que se programará este aviso</translation>
    </message>
    <message>
        <source>Day on which this attention will be scheduled</source>
        <translation>Día para el que se programará este aviso</translation>
    </message>
    <message>
        <source>Day schedule for this assignment</source>
        <translation>Agenda del día de esta asignación</translation>
    </message>
    <message>
        <source>Day to schedule</source>
        <translation>Día a programar</translation>
    </message>
    <message>
        <source>Day to view</source>
        <translation>Día a ver</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Delete &amp;Selected  Records</source>
        <translation>Borrar los registros &amp;seleccionados</translation>
    </message>
    <message>
        <source>Delete File</source>
        <translation>Borrar archivo</translation>
    </message>
    <message>
        <source>Delete These Records</source>
        <translation>Borrar estos registros</translation>
    </message>
    <message>
        <source>Delete from list</source>
        <translation>Borrar de la lista</translation>
    </message>
    <message>
        <source>Delete or Reschedule Call Slips</source>
        <translation>Borrar o reprogramar hojas de aviso</translation>
    </message>
    <message>
        <source>Delete this Attention</source>
        <translation>Borrar este aviso</translation>
    </message>
    <message>
        <source>Delete this Service Attention</source>
        <translation>¿Borrar este aviso de servicio?</translation>
    </message>
    <message>
        <source>Delete this item</source>
        <translation>Borrar esta entrada</translation>
    </message>
    <message>
        <source>Deletes all Completed Service Attentions</source>
        <translation>Borra todos los avisos completados</translation>
    </message>
    <message>
        <source>Deletes only Selected Service Attentions</source>
        <translation>Borra solo los avisos seleccionados</translation>
    </message>
    <message>
        <source>Deletes this Service Attention and frees up this time</source>
        <translation>Borra este aviso y deja libre su horario</translation>
    </message>
    <message>
        <source>Description to your Dropdown list?</source>
        <translation>descripción a su lista desplegable?</translation>
    </message>
    <message>
        <source>Display Call Records prior to today</source>
        <translation>Mostrar los avisos anteriores a hoy</translation>
    </message>
    <message>
        <source>Displays Call Info for this time</source>
        <translation>Muestra los datos del aviso de esta hora</translation>
    </message>
    <message>
        <source>Displays Confirmation Numbers for this date</source>
        <translation>Muestra los números de confirmación de esta fecha</translation>
    </message>
    <message>
        <source>Displays Current Assignment Names</source>
        <translation>Muestra los nombres de las asignaciones</translation>
    </message>
    <message>
        <source>Displays Next Call Record</source>
        <translation>Muestra el siguiente aviso</translation>
    </message>
    <message>
        <source>Displays all Service Attentions past date</source>
        <translation>Muestra todos los avisos de fechas pasadas</translation>
    </message>
    <message>
        <source>Do you want to Continue to Cancel?</source>
        <translation>¿Desea cancelar de todos modos?</translation>
    </message>
    <message>
        <source>Double-click or Enter opens this call in the Call Records</source>
        <translation>Doble clic o Intro abre este aviso en los registros de avisos</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>EVENTS AND SCHEDULES</source>
        <translation>LAS CITAS Y AGENDAS</translation>
    </message>
    <message>
        <source>Earlier Calls</source>
        <translation>Avisos anteriores</translation>
    </message>
    <message>
        <source>Earlier calls of this customer</source>
        <translation>Avisos anteriores de este cliente</translation>
    </message>
    <message>
        <source>Earlier customers</source>
        <translation>Clientes anteriores</translation>
    </message>
    <message>
        <source>Earlier customers are not offered.</source>
        <translation>No se ofrecen clientes anteriores.</translation>
    </message>
    <message>
        <source>Ends the  Program</source>
        <translation>Cierra el programa</translation>
    </message>
    <message>
        <source>Enter Customer Data and Click Schedule</source>
        <translation>Escriba los datos del cliente y pulse Programar</translation>
    </message>
    <message>
        <source>Enter Hours required for this Attention</source>
        <translation>Escriba las horas que requiere este aviso</translation>
    </message>
    <message>
        <source>Enter Zipcode here</source>
        <translation>Escriba aquí el código postal</translation>
    </message>
    <message>
        <source>Enter any additional info here</source>
        <translation>Escriba aquí cualquier dato adicional</translation>
    </message>
    <message>
        <source>Enter telephone Number</source>
        <translation>Escriba el número de teléfono</translation>
    </message>
    <message>
        <source>Estimate the Hours required to complete this Service Attention</source>
        <translation>Calcule las horas necesarias para completar este aviso</translation>
    </message>
    <message>
        <source>Events by Hour</source>
        <translation>Citas por hora</translation>
    </message>
    <message>
        <source>Excel workbooks (*.xlsx);;CSV files (*.csv)</source>
        <translation>Libros de Excel (*.xlsx);;Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>Exit the program</source>
        <translation>Salir del programa</translation>
    </message>
    <message>
        <source>Exits the Program</source>
        <translation>Cierra el programa</translation>
    </message>
    <message>
        <source>Export for a Spreadsheet</source>
        <translation>Exportar para hoja de cálculo</translation>
    </message>
    <message>
        <source>Export to &amp;Calendar</source>
        <translation>Exportar al &amp;calendario</translation>
    </message>
    <message>
        <source>Export to Calendar</source>
        <translation>Exportar al calendario</translation>
    </message>
    <message>
        <source>Exporting the completed service attentions...</source>
        <translation>Exportando los avisos completados...</translation>
    </message>
    <message>
        <source>FILE DELETION</source>
        <translation>BORRADO DE ARCHIVOS</translation>
    </message>
    <message>
        <source>Files on removable media</source>
        <translation>archivos en un soporte extraíble</translation>
    </message>
    <message>
        <source>Files on your Hard Disk</source>
        <translation>archivos en su disco duro</translation>
    </message>
    <message>
        <source>Find N&amp;ext</source>
        <translation>Buscar &amp;siguiente</translation>
    </message>
    <message>
        <source>From a previously created Floppy</source>
        <translation>Desde un disquete creado antes</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Hours to Assign</source>
        <translation>Horas a asignar</translation>
    </message>
    <message>
        <source>If checked, reminders and prompts are shown when appropriate</source>
        <translation>Si está marcado, se muestran avisos y confirmaciones cuando corresponde</translation>
    </message>
    <message>
        <source>If checked, the program sounds alarms when errors occur</source>
        <translation>Si está marcado, el programa suena cuando hay errores</translation>
    </message>
    <message>
        <source>Insert an initialized disk into the drive selected from the list. Click Archive</source>
        <translation>Inserte un disco preparado en la unidad elegida de la lista. Pulse Archivar</translation>
    </message>
    <message>
        <source>Insert your previously created Archive Disk into the drive selected  from the list.Click  Re-install.</source>
        <translation>Inserte el disco de archivo creado antes en la unidad elegida de la lista. Pulse Reinstalar.</translation>
    </message>
    <message>
        <source>Install Rotaplan again to put it beside the program.</source>
        <translation>Vuelva a instalar Rotaplan para ponerlo junto al programa.</translation>
    </message>
    <message>
        <source>Invalid Year</source>
        <translation>Año no válido</translation>
    </message>
    <message>
        <source>Keep the description length to 20 or less characters.</source>
        <translation>Mantenga cada descripción en 20 caracteres o menos.</translation>
    </message>
    <message>
        <source>Marked for this booking</source>
        <translation>Marcado para esta cita</translation>
    </message>
    <message>
        <source>Monday thru Friday</source>
        <translation>De lunes a viernes</translation>
    </message>
    <message>
        <source>Monday thru Saturday</source>
        <translation>De lunes a sábado</translation>
    </message>
    <message>
        <source>More Quarrow Programs for your business: see the Upgrade menu.</source>
        <translation>Más programas Quarrow para su negocio: vea el menú Ampliar.</translation>
    </message>
    <message>
        <source>Moving past call slips to the completed ones: %p%</source>
        <translation>Pasando las llamadas pasadas a las completadas: %p%</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>New Problem Code</source>
        <translation>Nueva avería</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mes siguiente</translation>
    </message>
    <message>
        <source>No Events are Scheduled</source>
        <translation>no hay citas programadas</translation>
    </message>
    <message>
        <source>No calendar published</source>
        <translation>Ningún calendario publicado</translation>
    </message>
    <message>
        <source>No drive was found to copy to or from.</source>
        <translation>No se encontró ninguna unidad a la que copiar o desde la que copiar.</translation>
    </message>
    <message>
        <source>No file of the program folder was replaced.</source>
        <translation>No se sustituyó ningún archivo de la carpeta del programa.</translation>
    </message>
    <message>
        <source>No hour of that day can be booked until it is mended.</source>
        <translation>No se puede reservar ninguna hora de ese día hasta repararlo.</translation>
    </message>
    <message>
        <source>No record is shown.</source>
        <translation>No se muestra ningún registro.</translation>
    </message>
    <message>
        <source>No sheet was made.</source>
        <translation>No se hizo ninguna hoja.</translation>
    </message>
    <message>
        <source>No spreadsheet file was written.</source>
        <translation>No se escribió ningún archivo de hoja de cálculo.</translation>
    </message>
    <message>
        <source>No: end Rotaplan now without changing any file, so that the clock can be set right.</source>
        <translation>No: cerrar Rotaplan ahora sin cambiar ningún archivo, para poder corregir el reloj.</translation>
    </message>
    <message>
        <source>Not all files Created</source>
        <translation>No se crearon todos los archivos</translation>
    </message>
    <message>
        <source>One hour less</source>
        <translation>Una hora menos</translation>
    </message>
    <message>
        <source>One hour more</source>
        <translation>Una hora más</translation>
    </message>
    <message>
        <source>Operations</source>
        <translation>Funcionamiento</translation>
    </message>
    <message>
        <source>Order Forms</source>
        <translation>Impresos</translation>
    </message>
    <message>
        <source>Order your checks, invoices and work orders from our forms partner</source>
        <translation>Pida sus cheques, facturas y partes de trabajo a nuestro socio de impresos</translation>
    </message>
    <message>
        <source>Previous month</source>
        <translation>Mes anterior</translation>
    </message>
    <message>
        <source>Print &amp;Week</source>
        <translation>Imprimir la &amp;semana</translation>
    </message>
    <message>
        <source>Print a sheet for each working day of the week</source>
        <translation>Imprime una hoja por cada día laborable de la semana</translation>
    </message>
    <message>
        <source>Print this day's sheet</source>
        <translation>Imprime la hoja de este día</translation>
    </message>
    <message>
        <source>Problem</source>
        <translation>Avería</translation>
    </message>
    <message>
        <source>Problem Descriptions</source>
        <translation>Descripciones de averías</translation>
    </message>
    <message>
        <source>Problem Descriptions are Reasons why your Customers call for Service.</source>
        <translation>Las descripciones de averías son los motivos por los que sus clientes piden servicio.</translation>
    </message>
    <message>
        <source>Problem Reported by Customer</source>
        <translation>Avería comunicada por el cliente</translation>
    </message>
    <message>
        <source>Problem description</source>
        <translation>Descripción de la avería</translation>
    </message>
    <message>
        <source>Program Assistance</source>
        <translation>Ayudas del programa</translation>
    </message>
    <message>
        <source>Pu&amp;blish to:</source>
        <translation>Pu&amp;blicar en:</translation>
    </message>
    <message>
        <source>Published calendar folder</source>
        <translation>Carpeta del calendario publicado</translation>
    </message>
    <message>
        <source>Quarrow Programs share files. Exit all other Quarrow Programs before continuing....</source>
        <translation>Los programas Quarrow comparten archivos. Cierre los demás programas Quarrow antes de continuar....</translation>
    </message>
    <message>
        <source>ROTAPLAN  - Main Menu</source>
        <translation>ROTAPLAN  - Menú principal</translation>
    </message>
    <message>
        <source>Re-Install</source>
        <translation>Reinstalar</translation>
    </message>
    <message>
        <source>Re-install</source>
        <translation>Reinstalar</translation>
    </message>
    <message>
        <source>Re-scheduling in Progress</source>
        <translation>Reprogramación en curso</translation>
    </message>
    <message>
        <source>Read Backup Files from Disk</source>
        <translation>Leer las copias de seguridad del disco</translation>
    </message>
    <message>
        <source>Rec</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>Referencia</translation>
    </message>
    <message>
        <source>Remove the disk from the Drive</source>
        <translation>Retire el disco de la unidad</translation>
    </message>
    <message>
        <source>Reschedule this Attention</source>
        <translation>¿Reprogramar este aviso?</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Poner a cero</translation>
    </message>
    <message>
        <source>Reset this form</source>
        <translation>Reiniciar este formulario</translation>
    </message>
    <message>
        <source>Restores Common Files</source>
        <translation>Restaura los archivos comunes</translation>
    </message>
    <message>
        <source>Return  to Main Menu</source>
        <translation>Volver al menú principal</translation>
    </message>
    <message>
        <source>Return to Menu</source>
        <translation>Volver al menú</translation>
    </message>
    <message>
        <source>Return to the Menu</source>
        <translation>Volver al menú</translation>
    </message>
    <message>
        <source>Returns to Main Menu</source>
        <translation>Vuelve al menú principal</translation>
    </message>
    <message>
        <source>Returns to the Main Menu</source>
        <translation>Vuelve al menú principal</translation>
    </message>
    <message>
        <source>Rotaplan Setup Form</source>
        <translation>Configuración de Rotaplan</translation>
    </message>
    <message>
        <source>Rotaplan cannot work without it and ends now, leaving the file as it is.</source>
        <translation>Rotaplan no puede trabajar sin él y se cierra ahora, dejando el archivo como está.</translation>
    </message>
    <message>
        <source>Rotaplan goes on; what needs this file may fail until it is mended.</source>
        <translation>Rotaplan continúa; lo que necesita este archivo puede fallar hasta que se repare.</translation>
    </message>
    <message>
        <source>Rotaplan is free. Visit Quarrow Programs on the web.</source>
        <translation>Rotaplan es gratuito. Visite Quarrow Programs en la web.</translation>
    </message>
    <message>
        <source>Rotaplan keeps its own files in that folder:</source>
        <translation>Rotaplan guarda sus propios archivos en esa carpeta:</translation>
    </message>
    <message>
        <source>Routine Complete</source>
        <translation>Proceso terminado</translation>
    </message>
    <message>
        <source>SA Number</source>
        <translation>Número SA</translation>
    </message>
    <message>
        <source>SA Number for future Reference</source>
        <translation>Número SA para consultas futuras</translation>
    </message>
    <message>
        <source>Save Week as PD&amp;F</source>
        <translation>Guardar la semana como PD&amp;F</translation>
    </message>
    <message>
        <source>Save as P&amp;DF</source>
        <translation>Guardar como P&amp;DF</translation>
    </message>
    <message>
        <source>Save the Day Sheet as PDF</source>
        <translation>Guardar la hoja del día como PDF</translation>
    </message>
    <message>
        <source>Save the Week's Sheets as PDF</source>
        <translation>Guardar las hojas de la semana como PDF</translation>
    </message>
    <message>
        <source>Save the changes of this page</source>
        <translation>Guardar los cambios de esta página</translation>
    </message>
    <message>
        <source>Save the week's sheets as a PDF file</source>
        <translation>Guarda las hojas de la semana como archivo PDF</translation>
    </message>
    <message>
        <source>Save this day's sheet as a PDF file</source>
        <translation>Guarda la hoja de este día como archivo PDF</translation>
    </message>
    <message>
        <source>Saves all Completed Service Attentions for a spreadsheet</source>
        <translation>Guarda todos los avisos completados para una hoja de cálculo</translation>
    </message>
    <message>
        <source>Schedule Service Attention</source>
        <translation>Programar aviso de servicio</translation>
    </message>
    <message>
        <source>Schedule this Service Attention</source>
        <translation>Programar este aviso de servicio</translation>
    </message>
    <message>
        <source>Scheduled for</source>
        <translation>Programado para</translation>
    </message>
    <message>
        <source>Scheduled for:</source>
        <translation>Programado para:</translation>
    </message>
    <message>
        <source>Select Archive to Copy Important Files to a removalble disk.         Select Re-Install to Copy Archived Files back to your Quarrow Folder</source>
        <translation>Elija Archivar para copiar los archivos importantes a un disco extraíble.         Elija Reinstalar para devolver los archivos archivados a su carpeta Quarrow</translation>
    </message>
    <message>
        <source>Select Crew, truck , employee or Zone</source>
        <translation>Elija cuadrilla, camión, empleado o zona</translation>
    </message>
    <message>
        <source>Select a Drive Letter Here</source>
        <translation>Elija aquí la unidad</translation>
    </message>
    <message>
        <source>Select each Folder to view existing Settings or to Create or Change Settings. If any Setting is changed, Click on Our Logo below, while that Folder is Selected to Store the Changes.</source>
        <translation>Elija cada carpeta para ver los ajustes o para crearlos o cambiarlos. Si cambia algún ajuste, haga clic en nuestro logotipo de abajo con esa carpeta elegida para guardar los cambios.</translation>
    </message>
    <message>
        <source>Select from list or enter Manually</source>
        <translation>Elija de la lista o escríbalo</translation>
    </message>
    <message>
        <source>Select options for the Days of the Week that your Business Operates, and your typical Starting Time.</source>
        <translation>Elija los días de la semana en que trabaja su negocio y su hora habitual de inicio.</translation>
    </message>
    <message>
        <source>Select team Assignment here</source>
        <translation>Elija aquí la asignación</translation>
    </message>
    <message>
        <source>Select the Day to Schedule this Request</source>
        <translation>Elija el día para programar este aviso</translation>
    </message>
    <message>
        <source>Select the Day to View</source>
        <translation>Elija el día que desea ver</translation>
    </message>
    <message>
        <source>Select the Drive to which to Copy to or from</source>
        <translation>Elija la unidad a la que copiar o desde la que copiar</translation>
    </message>
    <message>
        <source>Select time to Schedule Attention</source>
        <translation>Elija la hora del aviso</translation>
    </message>
    <message>
        <source>Service Attention Record Summary</source>
        <translation>Resumen de avisos de servicio</translation>
    </message>
    <message>
        <source>Service Attentions</source>
        <translation>Avisos de servicio</translation>
    </message>
    <message>
        <source>Service Attn No</source>
        <translation>N.º de aviso</translation>
    </message>
    <message>
        <source>Service Attn No.</source>
        <translation>N.º de aviso</translation>
    </message>
    <message>
        <source>Settings have been Saved</source>
        <translation>Se han guardado los ajustes</translation>
    </message>
    <message>
        <source>Show Prompts and Confirmations</source>
        <translation>Mostrar avisos y confirmaciones</translation>
    </message>
    <message>
        <source>Shows Date assigned</source>
        <translation>Muestra la fecha asignada</translation>
    </message>
    <message>
        <source>Shows all Info about a Service Attention Record.  You cannot make changes.</source>
        <translation>Muestra todos los datos de un aviso de servicio.  No se puede modificar.</translation>
    </message>
    <message>
        <source>Shows the next Call Record holding this text</source>
        <translation>Muestra el siguiente aviso que contiene este texto</translation>
    </message>
    <message>
        <source>Shows time of Day assigned</source>
        <translation>Muestra la hora asignada</translation>
    </message>
    <message>
        <source>Shows weekday assigned</source>
        <translation>Muestra el día de la semana asignado</translation>
    </message>
    <message>
        <source>Some needed files have not been Created</source>
        <translation>Algunos archivos necesarios no se han creado</translation>
    </message>
    <message>
        <source>Sound Alarms</source>
        <translation>Alarmas sonoras</translation>
    </message>
    <message>
        <source>St</source>
        <translation>Prov.</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Hora de inicio</translation>
    </message>
    <message>
        <source>Starts Record Search</source>
        <translation>Inicia la búsqueda de avisos</translation>
    </message>
    <message>
        <source>Starts the Scheduling Process</source>
        <translation>Inicia la programación</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Still reading the call slips…</source>
        <translation>Aún se leen los avisos…</translation>
    </message>
    <message>
        <source>Strret Address</source>
        <translation>Calle y número</translation>
    </message>
    <message>
        <source>Sunday thru Friday</source>
        <translation>De domingo a viernes</translation>
    </message>
    <message>
        <source>Sunday thru Saturday</source>
        <translation>De domingo a sábado</translation>
    </message>
    <message>
        <source>Switch between small and large view</source>
        <translation>Cambia entre la vista reducida y la ampliada</translation>
    </message>
    <message>
        <source>THIS ROUTINE ERASES ALL</source>
        <translation>ESTE PROCESO BORRA TODAS</translation>
    </message>
    <message>
        <source>TO CORRECT A PROBLEM HAVE FAILED!</source>
        <translation>DE CORREGIR UN PROBLEMA HAN FALLADO!</translation>
    </message>
    <message>
        <source>Take the Day Along</source>
        <translation>Llevarse el día</translation>
    </message>
    <message>
        <source>Team</source>
        <translation>Equipo</translation>
    </message>
    <message>
        <source>Team Assigned this attention</source>
        <translation>Equipo asignado a este aviso</translation>
    </message>
    <message>
        <source>Team shows here</source>
        <translation>Aquí aparece el equipo</translation>
    </message>
    <message>
        <source>Telephone Number</source>
        <translation>Teléfono</translation>
    </message>
    <message>
        <source>That year's day files cannot be made.</source>
        <translation>No se pueden crear los archivos de días de ese año.</translation>
    </message>
    <message>
        <source>The SA numbers go on from the last one issued.</source>
        <translation>Los números SA siguen desde el último emitido.</translation>
    </message>
    <message>
        <source>The Service Attention is deleted, but its hours still show as taken on that day.</source>
        <translation>El aviso está borrado, pero sus horas siguen apareciendo ocupadas ese día.</translation>
    </message>
    <message>
        <source>The Service Attention stays booked.</source>
        <translation>El aviso sigue programado.</translation>
    </message>
    <message>
        <source>The archive on that drive is not complete.</source>
        <translation>El archivo en esa unidad no está completo.</translation>
    </message>
    <message>
        <source>The backup is not complete.</source>
        <translation>La copia de seguridad no está completa.</translation>
    </message>
    <message>
        <source>The backup is not complete; Rotaplan ends anyway.</source>
        <translation>La copia de seguridad no está completa; Rotaplan se cierra de todos modos.</translation>
    </message>
    <message>
        <source>The bookings stand; the crew's calendars are not kept up to date while Rotaplan runs.</source>
        <translation>Las citas se mantienen; los calendarios de las cuadrillas no se actualizan mientras Rotaplan funcione.</translation>
    </message>
    <message>
        <source>The calendar file was not written.</source>
        <translation>No se escribió el archivo de calendario.</translation>
    </message>
    <message>
        <source>The call is booked. SA numbers go on from here while Rotaplan runs.</source>
        <translation>El aviso está programado. Los números SA siguen desde aquí mientras Rotaplan funcione.</translation>
    </message>
    <message>
        <source>The call is not opened.</source>
        <translation>El aviso no se abre.</translation>
    </message>
    <message>
        <source>The calls of the customer filled in; a booked call opens in the Call Records</source>
        <translation>Los avisos del cliente mostrado; un aviso programado se abre en los registros de avisos</translation>
    </message>
    <message>
        <source>The choice that needs it stays off.</source>
        <translation>La opción que lo necesita queda desactivada.</translation>
    </message>
    <message>
        <source>The completed records are still there.</source>
        <translation>Los registros completados siguen ahí.</translation>
    </message>
    <message>
        <source>The completed summary stays on offer.</source>
        <translation>El resumen de completados sigue disponible.</translation>
    </message>
    <message>
        <source>The customers of that day are not shown.</source>
        <translation>No se muestran los clientes de ese día.</translation>
    </message>
    <message>
        <source>The day is shown as far as it can be read.</source>
        <translation>El día se muestra hasta donde se puede leer.</translation>
    </message>
    <message>
        <source>The delete is finished at the next start of Rotaplan.</source>
        <translation>El borrado se termina en el próximo inicio de Rotaplan.</translation>
    </message>
    <message>
        <source>The description stays on this call only.</source>
        <translation>La descripción queda solo en este aviso.</translation>
    </message>
    <message>
        <source>The files are counted as missing.</source>
        <translation>Los archivos se consideran ausentes.</translation>
    </message>
    <message>
        <source>The help is not shown.</source>
        <translation>No se muestra la ayuda.</translation>
    </message>
    <message>
        <source>The hours of that day are not shown.</source>
        <translation>No se muestran las horas de ese día.</translation>
    </message>
    <message>
        <source>The list of problem descriptions is as it was.</source>
        <translation>La lista de averías queda como estaba.</translation>
    </message>
    <message>
        <source>The next start checks every file.</source>
        <translation>El próximo inicio comprueba todos los archivos.</translation>
    </message>
    <message>
        <source>The page was not opened.</source>
        <translation>No se abrió la página.</translation>
    </message>
    <message>
        <source>The problem description</source>
        <translation>La descripción de avería</translation>
    </message>
    <message>
        <source>The records shown again are what the file holds now.</source>
        <translation>Los registros que se vuelven a mostrar son los que tiene ahora el archivo.</translation>
    </message>
    <message>
        <source>The reinstalled teams, problem descriptions and settings</source>
        <translation>Los equipos, averías y ajustes reinstalados</translation>
    </message>
    <message>
        <source>The reset stopped there; what it had not reached is still in place.</source>
        <translation>La puesta a cero se detuvo ahí; lo que no alcanzó sigue en su sitio.</translation>
    </message>
    <message>
        <source>The restore is not complete.</source>
        <translation>La restauración no está completa.</translation>
    </message>
    <message>
        <source>The settings are in use until the program ends, but not saved.</source>
        <translation>Los ajustes se usan hasta que se cierre el programa, pero no se han guardado.</translation>
    </message>
    <message>
        <source>The sheet was not saved.</source>
        <translation>No se guardó la hoja.</translation>
    </message>
    <message>
        <source>The summary shows no records.</source>
        <translation>El resumen no muestra registros.</translation>
    </message>
    <message>
        <source>The team is saved; its folder is made when it is first booked.</source>
        <translation>El equipo está guardado; su carpeta se crea con su primera cita.</translation>
    </message>
    <message>
        <source>The team list is as it was.</source>
        <translation>La lista de equipos queda como estaba.</translation>
    </message>
    <message>
        <source>There is no team to book this call for.</source>
        <translation>No hay ningún equipo al que asignar este aviso.</translation>
    </message>
    <message>
        <source>This Day</source>
        <translation>Este día</translation>
    </message>
    <message>
        <source>This Deletes All Completed Service Attentions</source>
        <translation>Esto borra todos los avisos completados</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Esta semana</translation>
    </message>
    <message>
        <source>This is done Automatically every</source>
        <translation>Esto se hace automáticamente cada</translation>
    </message>
    <message>
        <source>This program is provided as it is, without warranty of any kind. Keep regular archives of your files: the maker is not liable for lost bookings, lost work or any other damage arising from its use.</source>
        <translation>Este programa se ofrece tal cual, sin garantía de ningún tipo. Archive sus archivos con regularidad: el fabricante no responde de citas o trabajo perdidos ni de ningún otro daño derivado de su uso.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Time at whisch this attention will be scheduled</source>
        <translation>Hora a la que se programará este aviso</translation>
    </message>
    <message>
        <source>Toggle &amp;View</source>
        <translation>Cambiar &amp;vista</translation>
    </message>
    <message>
        <source>Type part of a name, telephone number or SA number</source>
        <translation>Escriba parte de un nombre, teléfono o número SA</translation>
    </message>
    <message>
        <source>Unchecking disables the feature</source>
        <translation>Desmarcar desactiva la función</translation>
    </message>
    <message>
        <source>Up/Down Count (upto 8 hours)</source>
        <translation>Subir/bajar (hasta 8 horas)</translation>
    </message>
    <message>
        <source>Used to Display/Modify or Enter Customer Data</source>
        <translation>Para ver, cambiar o escribir los datos del cliente</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versión %1.%2.%3</translation>
    </message>
    <message>
        <source>View Work Schedules</source>
        <translation>Ver agendas de trabajo</translation>
    </message>
    <message>
        <source>View Work Schedules by Day and Team</source>
        <translation>Ver agendas de trabajo por día y equipo</translation>
    </message>
    <message>
        <source>Weekday</source>
        <translation>Día de la semana</translation>
    </message>
    <message>
        <source>Which bookings to export</source>
        <translation>Qué citas exportar</translation>
    </message>
    <message>
        <source>With that date Rotaplan moves the call slips dated before it to the completed ones, clears the schedules of the days before it and numbers the new calls by it.</source>
        <translation>Con esa fecha Rotaplan pasa a completados los avisos anteriores a ella, vacía las agendas de los días anteriores y numera los nuevos avisos según ella.</translation>
    </message>
    <message>
        <source>Work Schedules</source>
        <translation>Agendas de trabajo</translation>
    </message>
    <message>
        <source>Would you like to add this</source>
        <translation>¿Desea añadir esta</translation>
    </message>
    <message>
        <source>Would you like to exit the program?</source>
        <translation>¿Desea salir del programa?</translation>
    </message>
    <message>
        <source>Would you like to visit their web site now?</source>
        <translation>¿Desea visitar su web ahora?</translation>
    </message>
    <message>
        <source>Write Backup Files to Disk</source>
        <translation>Escribir las copias de seguridad en el disco</translation>
    </message>
    <message>
        <source>Write the bookings as a phone calendar file</source>
        <translation>Escribe las citas como archivo de calendario para el móvil</translation>
    </message>
    <message>
        <source>You can Backup at any time</source>
        <translation>Puede hacer una copia en cualquier momento</translation>
    </message>
    <message>
        <source>You can Create 2 Work Assignments    An Assignment can be an Individual, A Team, A Truck Route, a Territory, etc.</source>
        <translation>Puede crear 2 asignaciones de trabajo    Una asignación puede ser una persona, un equipo, la ruta de un camión, una zona, etc.</translation>
    </message>
    <message>
        <source>You have selected a date in which</source>
        <translation>Ha elegido una fecha en la que</translation>
    </message>
    <message>
        <source>You should Archive occasionally</source>
        <translation>Conviene archivar de vez en cuando</translation>
    </message>
    <message>
        <source>Your Typical Starting Time</source>
        <translation>Su hora habitual de inicio</translation>
    </message>
    <message>
        <source>Your typical Work Week</source>
        <translation>Su semana laboral habitual</translation>
    </message>
    <message>
        <source>Zip code</source>
        <translation>Código postal</translation>
    </message>
    <message>
        <source>and get 20% off your first order.</source>
        <translation>y obtenga un 20 % de descuento en su primer pedido.</translation>
    </message>
    <message>
        <source>for Contractors and Tradesmen</source>
        <translation>para contratistas y profesionales de oficios</translation>
    </message>
    <message>
        <source>from Hard drive</source>
        <translation>desde el disco duro</translation>
    </message>
    <message>
        <source>from Removable media Source</source>
        <translation>desde un soporte extraíble</translation>
    </message>
    <message>
        <source>on</source>
        <translation>el</translation>
    </message>
    <message>
        <source>such as a Floppy Disk</source>
        <translation>como un disquete</translation>
    </message>
    <message>
        <source>take effect when Rotaplan is next started.</source>
        <translation>se aplican la próxima vez que se inicie Rotaplan.</translation>
    </message>
    <message>
        <source>time you end the Program.</source>
        <translation>vez que cierra el programa.</translation>
    </message>
    <message>
        <source>to a Floppy disk</source>
        <translation>a un disquete</translation>
    </message>
</context>
</TS>
