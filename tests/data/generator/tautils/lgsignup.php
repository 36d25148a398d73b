<?php
$choices = array('[CHOICE01]', '[CHOICE02]', '[CHOICE03]', '[CHOICE04]', '[CHOICE05]');
$ars = array('[AR01]', '[AR02]', '[AR03]', '[AR04]', '[AR05]');
$ar = '[AR EMAIL ADDRESS]';
$thanks = '[THANKS URL]';
$domain = '[DOMAIN]';
?>
